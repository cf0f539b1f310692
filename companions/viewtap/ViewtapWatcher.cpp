#include "ViewtapWatcher.h"

#include "RotationPublisher.h"

int32_t ViewtapWatcher::QueryTabletDisplayRotation()
{
    rotation::MappedArea area;
    if (!RotationPublisher::ReadKeyArea(watch_, area))
        return rotation::STATE_NO_DISPLAY;
    std::vector<rotation::DisplayPath> paths;
    if (!query_.ActivePaths(paths))
        return rotation::STATE_UNKNOWN;
    return watch_.Search(paths, area);
}

void ViewtapWatcher::Start() { watch_.Settle(QueryTabletDisplayRotation(), true); }

bool ViewtapWatcher::OnDisplayChange()
{
    const int32_t found = QueryTabletDisplayRotation();
    int32_t code = 0;
    bool published = false;
    if (watch_.ChangeToPublish(found, code))
        published = RotationPublisher::PublishDisplayRotation(code, watch_, DisplayConfigQuery::AttachedDisplays());
    watch_.Settle(found, published);
    return published;
}

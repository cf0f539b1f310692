#include <doctest/doctest.h>

#include <string>
#include "MainDialogBrand.h"

using namespace MainDialog;

namespace {

const PenButtonLabel* Find(const std::vector<PenButtonLabel>& labels, int id) {
    for (const PenButtonLabel& label : labels) {
        if (label.id == id) return &label;
    }
    return nullptr;
}

}  // namespace

TEST_SUITE("main dialog brands") {
    TEST_CASE("the second brand grows to 663 x 597 with big page buttons except in languages 3 and 4") {
        for (int index = 0; index < 8; ++index) {
            CAPTURE(index);
            CHECK_FALSE(LayoutForLanguage(kStyloraMainDialog, index).resize);
            const LanguageLayout layout = LayoutForLanguage(kPenmiraMainDialog, index);
            CHECK(layout.resize == (index != 3 && index != 4));
            if (!layout.resize) continue;
            CHECK(layout.width == 663);
            CHECK(layout.height == 597);
            REQUIRE(layout.buttons.size() == 3);
            const int ids[] = {1000, 1001, 1003};
            const int tops[] = {2, 59, 116};
            for (int i = 0; i < 3; ++i) {
                CHECK(layout.buttons[i].id == ids[i]);
                CHECK(layout.buttons[i].rect == PixelRect{0, tops[i], 134, tops[i] + 54});
            }
        }
    }

    TEST_CASE("pen-button labels: every enabled label shows the record it edits") {
        struct Case { const char* name; const Brand& brand; bool tablet; bool model; };
        const Case cases[] = {{"reference", kStyloraMainDialog, true, false},
                              {"reference, model flag", kStyloraMainDialog, true, true},
                              {"second brand, tablet", kPenmiraMainDialog, true, false},
                              {"second brand, no tablet", kPenmiraMainDialog, false, false}};
        for (const Case& c : cases) {
            CAPTURE(std::string(c.name));
            const int32_t count = PenButtonCount(c.brand, c.tablet);
            const std::vector<PenButtonLabel> labels = PenButtonLabels(c.brand, count, c.model);
            for (const PenButtonLabel& label : labels) {
                if (label.enabled) CHECK(label.record == label.id - kFirstPenButtonLabel);
            }
            // A language change gives every enabled label the same text again.
            for (const PenButtonRelabel& relabel : RelabelledPenButtons(c.brand, count, c.model)) {
                const PenButtonLabel* label = Find(labels, relabel.id);
                REQUIRE(label);
                CHECK(relabel.record == label->record);
            }
            for (const PenButtonLabel& label : labels) {
                if (!label.enabled) continue;
                bool relabelled = false;
                for (const PenButtonRelabel& relabel : RelabelledPenButtons(c.brand, count, c.model)) {
                    relabelled = relabelled || relabel.id == label.id;
                }
                CHECK(relabelled);
            }
        }
    }

    TEST_CASE("second brand's labels: one pen button edits the second record below, no tablet disables both") {
        CHECK(PenButtonCount(kStyloraMainDialog, false) == 2);
        const std::vector<PenButtonLabel> one = PenButtonLabels(kPenmiraMainDialog, 1, false);
        const PenButtonLabel* second = Find(one, kSecondPenButtonLabel);
        const PenButtonLabel* first = Find(one, kFirstPenButtonLabel);
        REQUIRE(second);
        REQUIRE(first);
        CHECK(second->rect == PixelRect{245, 435, 489, 460});
        CHECK(second->enabled);
        CHECK(first->rect == PixelRect{245, 402, 489, 427});
        CHECK_FALSE(first->enabled);

        const std::vector<PenButtonLabel> none = PenButtonLabels(kPenmiraMainDialog, -1, false);
        REQUIRE(none.size() == 2);
        CHECK(Find(none, kFirstPenButtonLabel)->rect == PixelRect{245, 435, 489, 460});
        CHECK(Find(none, kSecondPenButtonLabel)->rect == PixelRect{245, 402, 489, 427});
        for (const PenButtonLabel& label : none) CHECK_FALSE(label.enabled);
        CHECK(RelabelledPenButtons(kPenmiraMainDialog, -1, false).empty());
        for (const PenButtonRelabel& relabel : RelabelledPenButtons(kPenmiraMainDialog, 2, true)) {
            CHECK_FALSE(relabel.setsEnabled);
        }
    }
}

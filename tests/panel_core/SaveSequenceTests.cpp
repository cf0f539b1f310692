#include "SaveSequence.h"
#include "ServiceCodes.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

// The service as a save meets it, writing down each step in the order it comes.
class StepLog : public ISaveTarget {
public:
    explicit StepLog(Sent answer) : answer_(answer) {}

    Sent SendCommand(int32_t command) override
    {
        steps.push_back("command " + std::to_string(command) + " and its pulse");
        return answer_;
    }
    void SignalReload(ReloadEvent reload, uint16_t vid, uint16_t pid) override
    {
        steps.push_back(std::string(reload == ReloadEvent::Keys ? "keys" : "mapping") + " reload of " +
                        std::to_string(vid) + ":" + std::to_string(pid));
    }

    std::vector<std::string> steps;

private:
    Sent answer_;
};

}  // namespace

TEST_SUITE("save sequence") {
    TEST_CASE("fields, then the command and its pulse, then the reload; the older systems' file instead of the command") {
        using Sent = ISaveTarget::Sent;
        struct Case {
            const char* name;
            int osMajorVersion;
            int32_t command;
            ReloadEvent reload;
            Sent answer;
            bool fileWritten;
            SaveResult result;
            std::vector<std::string> steps;
        };
        const Case cases[] = {
            {"keys by command", 6, CMD_SAVE_KEYS, ReloadEvent::Keys, Sent::Woken, true, SaveResult::Done,
             {"fields", "command 11 and its pulse", "keys reload of 7:9"}},
            {"mapping, nobody took the pulse", 6, CMD_SAVE_MAPPING, ReloadEvent::Mapping, Sent::Unheard, true,
             SaveResult::Unheard, {"fields", "command 12 and its pulse", "mapping reload of 7:9"}},
            {"pen by command: no reload", 6, CMD_SAVE_PEN_SETTINGS, ReloadEvent::None, Sent::Woken, true,
             SaveResult::Done, {"fields", "command 10 and its pulse"}},
            {"no connection: nothing after the command", 6, CMD_SAVE_KEYS, ReloadEvent::Keys, Sent::NoConnection,
             true, SaveResult::Failed, {"fields", "command 11 and its pulse"}},
            {"older system: the file, then the reload", 5, CMD_SAVE_MAPPING, ReloadEvent::Mapping, Sent::Woken, true,
             SaveResult::Done, {"file", "mapping reload of 7:9"}},
            {"older system, the file not written: no reload", 5, CMD_SAVE_KEYS, ReloadEvent::Keys, Sent::Woken, false,
             SaveResult::Failed, {"file"}},
        };
        for (const Case& c : cases) {
            CAPTURE(std::string(c.name));
            StepLog service(c.answer);
            SaveRequest request;
            request.command = c.command;
            request.publishFields = [&] { service.steps.push_back("fields"); };
            request.writeDirectly = [&] {
                service.steps.push_back("file");
                return c.fileWritten;
            };
            request.reload = c.reload;
            request.vid = 7;
            request.pid = 9;
            CHECK(SaveSequence::Run(SaveSequence::WayFor(c.osMajorVersion), request, service) == c.result);
            CHECK(service.steps == c.steps);
        }
    }
}

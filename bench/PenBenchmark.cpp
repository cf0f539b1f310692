// Times ProcessPenReport over a recorded pen session with a system door that
// does nothing, and counts the heap allocations made while it runs. A first,
// untimed pass prints a checksum of every event and ring packet the session
// produces: a change meant to be faster only must leave it as it was.
//   pen_bench [runs]
#include "AllocationCounter.h"
#include "ChecksumSystem.h"
#include "CoreServiceState.h"
#include "NullSystem.h"
#include "RecordedStroke.h"
#include "ServiceCodes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The service as the read threads see it, with one client window on top so
// the ring and the client messages are part of every report's work.
template <class System>
struct BenchService : CoreServiceState<System> {
    BenchService() : CoreServiceState<System>(BuildPolicy::Reference())
    {
        this->UseDeskTablet(10);
        this->UseDeskPen(150, ACTION_DOUBLE_CLICK);

        ConnectionSection& connection = *this->connection;
        connection.contextId = 1;
        connection.contextWindow = 0x1000;
        connection.contextOptions = CTX_OPTION_SYSTEM_CURSOR | CTX_OPTION_PACKET_MESSAGES | CTX_OPTION_CSRCHANGE_MESSAGES;
        connection.contextStatus = CTX_STATUS_ON_TOP;
        this->registry.AddContext();
    }

    void Process(const RawPenReport& report)
    {
        std::memcpy(this->state.report, report.bytes, sizeof report.bytes);
        this->pipeline.ProcessPenReport(this->header, this->mapping);
    }
};

// One pass over the session from a fresh service: every call to the system,
// every packet the client reads from the ring and every decoded frame.
void PrintChecksum(const std::vector<RawPenReport>& session)
{
    BenchService<ChecksumSystem> service;
    ConnectionSection& connection = *service.connection;
    uint64_t packets = 0;
    for (const RawPenReport& report : session) {
        service.Process(report);
        for (int32_t i = connection.readIndex; i != connection.writeIndex; i = (i + 1) % RING_CAPACITY) {
            service.system.Fold(&connection.ring[i], sizeof connection.ring[i]);
            ++packets;
        }
        connection.readIndex = connection.writeIndex;
        service.system.Fold(service.state.report, PEN_FRAME_SIZE);
    }
    std::printf("checksum: %016llx (%llu events, %llu packets)\n", static_cast<unsigned long long>(service.system.Sum()),
                static_cast<unsigned long long>(service.system.Events()), static_cast<unsigned long long>(packets));
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    const std::vector<RawPenReport> session = RecordedStroke::Make();
    PrintChecksum(session);
    BenchService<NullSystem> service;

    std::vector<double> nsPerReport;
    uint64_t allocations = 0;
    for (int run = 0; run < runs + 1; ++run) {
        const uint64_t allocationsBefore = HeapAllocations();
        const auto start = std::chrono::steady_clock::now();
        for (const RawPenReport& report : session) {
            service.Process(report);
            // The client reads its packets as they come.
            service.connection->readIndex = service.connection->writeIndex;
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (run == 0)
            continue;  // warm-up
        allocations += HeapAllocations() - allocationsBefore;
        nsPerReport.push_back(std::chrono::duration<double, std::nano>(elapsed).count() /
                              static_cast<double>(session.size()));
    }

    std::printf("pen pipeline: %zu reports per run, %d runs\n", session.size(), runs);
    std::printf("ns per report: min %.1f  median %.1f  max %.1f\n",
                *std::min_element(nsPerReport.begin(), nsPerReport.end()), Median(nsPerReport),
                *std::max_element(nsPerReport.begin(), nsPerReport.end()));
    std::printf("heap allocations per report: %.4f (%llu in all runs)\n",
                static_cast<double>(allocations) / (static_cast<double>(session.size()) * runs),
                static_cast<unsigned long long>(allocations));
    return allocations == 0 ? 0 : 1;
}

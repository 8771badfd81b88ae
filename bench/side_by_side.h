// A console reporter that ends the run with a table of peer time / our time (CPU time per run,
// best of repetitions) for every case registered twice, as "<case>/ours" and "<case>/<peer>".
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace pindrel::bench {

class SideBySideReporter : public benchmark::ConsoleReporter {
public:
    explicit SideBySideReporter(std::string peer) : peer_(std::move(peer)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
            const std::string name = r.benchmark_name();
            const size_t slash = name.rfind('/');
            if (slash == std::string::npos) continue;
            Pair& p = cases_[name.substr(0, slash)];
            const std::string who = name.substr(slash + 1);
            // Per-run CPU time in nanoseconds, whatever unit the case prints in.
            const double ns = r.GetAdjustedCPUTime() * Nanoseconds(r.time_unit);
            // The best of repeated runs: other work on the machine only ever adds time.
            double* slot = who == "ours" ? &p.ours : who == peer_ ? &p.peer : nullptr;
            if (slot) *slot = *slot > 0 ? std::min(*slot, ns) : ns;
            if (p.order < 0) p.order = static_cast<int>(cases_.size());
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::vector<std::pair<int, std::string>> order;
        for (const auto& [name, p] : cases_)
            order.emplace_back(p.order, name);
        std::sort(order.begin(), order.end());
        std::printf("\n%-28s %12s %12s %8s\n", "case", "ours (us)", (peer_ + " (us)").c_str(),
                    "speedup");
        for (const auto& [_, name] : order) {
            const Pair& p = cases_[name];
            if (p.ours <= 0) continue;
            if (p.peer <= 0) {
                std::printf("%-28s %12.1f %12s %8s\n", name.c_str(), p.ours / 1e3, "-", "-");
                continue;
            }
            std::printf("%-28s %12.1f %12.1f %7.2fx\n", name.c_str(), p.ours / 1e3, p.peer / 1e3,
                        p.peer / p.ours);
        }
    }

private:
    struct Pair {
        double ours = 0;
        double peer = 0;
        int order = -1;
    };

    static double Nanoseconds(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kSecond:
            return 1e9;
        case benchmark::kMillisecond:
            return 1e6;
        case benchmark::kMicrosecond:
            return 1e3;
        default:
            return 1;
        }
    }

    std::string peer_;
    std::map<std::string, Pair> cases_;
};

} // namespace pindrel::bench

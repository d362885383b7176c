// bench: the fixed position list searched in both modes; the node total is the search's signature.
#include <cstdio>
#include <ctime>

#include "engine/bench/BenchRunner.h"
#include "engine/bench/ReferenceSearch.h"
#include "engine/search/ChessSearch.h"
#include "engine/search/SearchRootText.h"
#include "tools/zelmar-engine/Commands.h"
#include "tools/zelmar-engine/SearchArgs.h"

namespace zelmar {

namespace {

constexpr const char* kUsage = "bench [--compare]";

// Processor time of this thread, to tell the search's own speed from a busy machine's.
double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Runs the list with one search type, printing a line per search; returns the totals and CPU time.
template <class S>
TBenchTotals RunList(const char* label, double& cpuSeconds, std::vector<TBenchLine>* lines) {
  const double cpuStart = ThreadCpuSeconds();
  TBenchTotals totals = RunBench<S>([&](const TBenchLine& l) {
    std::printf("%-9s %2d %-8s depth %d  bestmove %-6s score %6d nodes %10llu\n", label, l.Index,
                l.Zelmar ? "zelmar" : "standard", l.Depth, MoveToText(l.Best).c_str(), l.Score,
                static_cast<unsigned long long>(l.Nodes));
    if (lines) lines->push_back(l);
  });
  cpuSeconds = ThreadCpuSeconds() - cpuStart;
  return totals;
}

}  // namespace

// Prints a line per search, then "Nodes searched: N" and "Nodes/second: X"; with --compare also the
// reference's run, whether both agree, and the speed ratio.
int RunBenchCommand(CommandArgs args) {
  TSearchArgs a;
  std::string error;
  if (!ParseSearchArgs(args, "--compare", 8, a, error)) return RefuseUsage("bench", error, kUsage);
  std::vector<TBenchLine> engineLines, referenceLines;
  double cpu = 0;
  const TBenchTotals engine = RunList<TChessSearch>("engine", cpu, &engineLines);
  std::printf("Time: %.3f s (processor %.3f s)\n", engine.Seconds, cpu);
  std::printf("Nodes/processor-second: %.0f\n", cpu > 0 ? static_cast<double>(engine.Nodes) / cpu : 0.0);
  if (a.Compare) {
    double refCpu = 0;
    const TBenchTotals reference = RunList<reference::TReferenceSearch>("reference", refCpu, &referenceLines);
    bool same = engineLines.size() == referenceLines.size();
    for (std::size_t i = 0; same && i < engineLines.size(); ++i) {
      const TBenchLine& e = engineLines[i];
      const TBenchLine& r = referenceLines[i];
      same = e.Best == r.Best && e.Score == r.Score && e.Nodes == r.Nodes;
    }
    std::printf("Reference nodes: %llu in %.3f s (processor %.3f s), %.0f nodes/s\n",
                static_cast<unsigned long long>(reference.Nodes), reference.Seconds, refCpu,
                reference.NodesPerSecond());
    std::printf("Engine and reference agree: %s\n", same ? "yes" : "NO");
    std::printf("Speed ratio: %.2f (processor time %.2f)\n",
                engine.Seconds > 0 ? reference.Seconds / engine.Seconds : 0.0, cpu > 0 ? refCpu / cpu : 0.0);
    if (!same) return 1;
  }
  std::printf("Nodes searched: %llu\n", static_cast<unsigned long long>(engine.Nodes));
  std::printf("Nodes/second: %.0f\n", engine.NodesPerSecond());
  return 0;
}

}  // namespace zelmar

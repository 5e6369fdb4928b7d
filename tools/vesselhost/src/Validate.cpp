#include "Validate.h"

#include <exception>
#include <iterator>

#include "Run.h"
#include "StateJson.h"
#include "StatusLine.h"
#include "StopSignals.h"
#include "Text.h"
#include "ValidateChecks.h"
#include "ValidateCommandKeys.h"

namespace vesselhost {
namespace {

struct Check {
  const char *name;
  CheckResult (*run)(const ValidateWorkspace &);
};

// In this order: a module that does not load is not flown.
const Check kChecks[] = {
    {"entry-points", checkEntryPoints},
    {"lifecycle", checkLifecycle},
    {"host-contract", checkHostContract},
    {"save-round-trip", checkSaveRoundTrip},
    {"frame-allocations", checkFrameAllocations},
    {"animation-range", checkAnimationRange},
    {"command-keys", checkCommandKeys},
};

CheckResult failed(const char *name, const std::string &detail) {
  CheckResult r;
  r.name = name;
  r.detail = detail;
  return r;
}

struct Tally {
  std::size_t total = 0, passed = 0, skipped = 0;
  explicit Tally(const std::vector<ModuleReport> &reports) {
    for (const ModuleReport &m : reports)
      for (const CheckResult &c : m.checks) {
        ++total;
        passed += c.passed;
        skipped += c.skipped;
      }
  }
  std::size_t failed() const { return total - passed - skipped; }
};

void writeText(const std::vector<ModuleReport> &reports, std::ostream &out) {
  std::size_t modulesPassed = 0;
  for (const ModuleReport &m : reports) {
    out << m.module << " (" << m.path << ", class " << (m.className.empty() ? "none" : m.className)
        << (m.madeUpClass ? ", made up for the check" : "") << ")\n";
    for (const CheckResult &c : m.checks)
      out << "  " << (c.passed ? "pass" : c.skipped ? "skip" : "FAIL") << "  " << c.name << ": " << c.detail << "\n";
    if (m.passed()) ++modulesPassed;
  }
  const Tally t(reports);
  out << "validate: " << reports.size() << " module(s), " << modulesPassed << " passed; " << t.total << " checks, "
      << t.passed << " passed, " << t.failed() << " failed";
  if (t.skipped) out << ", " << t.skipped << " skipped";
  out << "\n";
}

void writeJson(const std::vector<ModuleReport> &reports, std::ostream &out) {
  Json doc;
  Json modules = Json::array();
  for (const ModuleReport &m : reports) {
    Json checks = Json::array();
    for (const CheckResult &c : m.checks)
      checks.push_back({{"name", c.name}, {"passed", c.passed}, {"skipped", c.skipped}, {"detail", toUtf8(c.detail)}});
    modules.push_back({{"module", m.module},
                       {"path", m.path},
                       {"class", m.className.empty() ? Json(nullptr) : Json(m.className)},
                       {"classMadeUp", m.madeUpClass},
                       {"passed", m.passed()},
                       {"checks", checks}});
  }
  const Tally t(reports);
  doc["modules"] = modules;
  doc["checks"] = t.total;
  doc["passed"] = t.passed;
  doc["failed"] = t.failed();
  doc["skipped"] = t.skipped;
  out << dumpState(doc);
}

// vesselhost: validating tarva_2016 (3 of 4): host-contract (3 of 6), 4 s
std::string validateProgressText(const std::string &module, std::size_t moduleIndex, std::size_t modules,
                                 std::size_t check, StatusLine::Clock::duration elapsed) {
  const long seconds = long(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count());
  return "vesselhost: validating " + module + " (" + std::to_string(moduleIndex + 1) + " of " +
         std::to_string(modules) + "): " + kChecks[check].name + " (" + std::to_string(check + 1) + " of " +
         std::to_string(std::size(kChecks)) + "), " + std::to_string(seconds) + " s";
}

}  // namespace

bool ModuleReport::passed() const {
  if (checks.empty()) return false;
  for (const CheckResult &c : checks)
    if (!c.passed && !c.skipped) return false;
  return true;
}

const std::vector<std::string> &validateCheckNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (const Check &c : kChecks) n.push_back(c.name);
    return n;
  }();
  return names;
}

ModuleReport validateModule(const std::string &module, const ValidateOptions &options,
                            const BeforeCheck &beforeCheck) {
  ModuleReport report;
  report.module = module;
  report.path = module;
  ValidateWorkspace ws;
  std::string error;
  if (!ws.prepare(module, options.configDir, options.moduleDir, error)) {
    for (const Check &c : kChecks) report.checks.push_back(failed(c.name, c.run == checkEntryPoints ? error : "not run: " + error));
    return report;
  }
  ws.setExamplesDir(options.examplesDir);
  report.module = ws.module();
  report.path = ws.path();
  report.className = ws.className();
  report.madeUpClass = ws.madeUpClass();
  bool loads = true;
  for (const Check &c : kChecks) {
    if (beforeCheck && !beforeCheck(std::size_t(&c - kChecks))) break;
    if (!loads) {
      report.checks.push_back(failed(c.name, "not run: the module does not load"));
      continue;
    }
    try {
      report.checks.push_back(c.run(ws));
    } catch (const std::exception &e) {
      report.checks.push_back(failed(c.name, std::string("the host stopped: ") + e.what()));
    }
    if (c.run == checkEntryPoints && !report.checks.back().passed) loads = false;
  }
  return report;
}

int validateCommand(const ValidateOptions &options, std::ostream &out, std::ostream &err) {
  if (options.modules.empty()) {
    err << "vesselhost: validate needs at least one module\n";
    return kExitUsage;
  }
  StatusLine status(err, out, options.progress);
  std::vector<ModuleReport> reports;
  for (const std::string &m : options.modules) {
    auto beforeCheck = [&](std::size_t check) {
      if (stopSignal()) return false;
      const StatusLine::Clock::time_point now = StatusLine::Clock::now();
      if (status.due(now))
        status.draw(validateProgressText(m, reports.size(), options.modules.size(), check, now - status.started())
                        .c_str(),
                    now);
      return true;
    };
    reports.push_back(validateModule(m, options, beforeCheck));
    if (stopSignal()) break;
  }
  status.clear();
  if (const int signal = stopSignal()) {
    err << "vesselhost: validate stopped by " << signalName(signal) << " at module " << reports.size() << " of "
        << options.modules.size() << " (" << reports.back().module << "); no report\n";
    return stopExitCode(signal);
  }
  if (options.json)
    writeJson(reports, out);
  else
    writeText(reports, out);
  for (const ModuleReport &r : reports)
    if (!r.passed()) return kExitFailure;
  return kExitOk;
}

}  // namespace vesselhost

// vesselhost validate run as a person runs it: on the four plug-ins, which
// must pass every check, and on fixture modules that each carry one fault,
// which the battery must name and nothing else.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
};

// Runs vesselhost with the arguments; standard error is dropped. Leak
// reports of a sanitizer build are off: one fixture leaks on purpose.
Outcome vesselhost(const std::string &args) {
  const std::string cmd = std::string("ASAN_OPTIONS=detect_leaks=0 ") + VH_BIN_DIR + "/vesselhost " + args +
                          " --config " VH_CONFIG_DIR " --modules " VH_MODULE_DIR " 2>/dev/null";
  Outcome o;
  FILE *p = popen(cmd.c_str(), "r");
  if (!p) return o;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) o.out.append(buf, n);
  const int status = pclose(p);
  o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return o;
}

std::string fixture(const std::string &label) {
  return std::string(VALIDATE_MODULE_DIR) + "/validate_fixture_" + label + ".so";
}

const std::set<std::string> kCheckNames = {"entry-points",      "lifecycle",       "host-contract", "save-round-trip",
                                           "frame-allocations", "animation-range", "command-keys"};

// Failed check names per module, from the JSON report.
std::map<std::string, std::set<std::string>> failedChecks(const nlohmann::json &report) {
  std::map<std::string, std::set<std::string>> failed;
  for (const auto &m : report.at("modules")) {
    std::set<std::string> names, bad;
    for (const auto &c : m.at("checks")) {
      names.insert(c.at("name").get<std::string>());
      if (!c.at("passed").get<bool>()) bad.insert(c.at("name").get<std::string>());
    }
    EXPECT_EQ(names, kCheckNames) << m.at("module");
    failed[m.at("module").get<std::string>()] = bad;
  }
  return failed;
}

TEST(Validate, EveryPluginPassesEveryCheck) {
  Outcome o = vesselhost("validate --json Selvar_2016 SelvarCargo2016 tarva_2016 beamwick2");
  ASSERT_FALSE(o.out.empty());
  const nlohmann::json report = nlohmann::json::parse(o.out);
  for (const auto &m : report.at("modules"))
    for (const auto &c : m.at("checks"))
      EXPECT_TRUE(c.at("passed").get<bool>()) << m.at("module") << " " << c.at("name") << ": " << c.at("detail");
  const auto failed = failedChecks(report);
  EXPECT_EQ(failed.size(), 4u);
  EXPECT_EQ(report.at("failed"), 0);
  EXPECT_EQ(o.exitCode, 0);
}

TEST(Validate, EachFaultyModuleFailsItsOwnCheckOnly) {
  Outcome o = vesselhost("validate --json " + fixture("clean") + " " + fixture("allocates_per_frame") + " " +
                         fixture("animation_before_create") + " " + fixture("leaks_object") + " " +
                         fixture("animation_overshoot") + " " + fixture("stale_mesh"));
  ASSERT_FALSE(o.out.empty());
  const auto failed = failedChecks(nlohmann::json::parse(o.out));
  using Set = std::set<std::string>;
  EXPECT_EQ(failed.at("validate_fixture_clean"), Set{});
  EXPECT_EQ(failed.at("validate_fixture_allocates_per_frame"), Set{"frame-allocations"});
  // Every vessel it makes warns at once: both checks that look for warnings see it.
  EXPECT_EQ(failed.at("validate_fixture_animation_before_create"), (Set{"host-contract", "command-keys"}));
  EXPECT_EQ(failed.at("validate_fixture_leaks_object"), Set{"lifecycle"});
  EXPECT_EQ(failed.at("validate_fixture_animation_overshoot"), Set{"animation-range"});
  // Alt+H then Alt+R: the exercise's one sweep of the keys presses Alt+R first.
  EXPECT_EQ(failed.at("validate_fixture_stale_mesh"), Set{"command-keys"});
  EXPECT_EQ(o.exitCode, 1);
}

TEST(Validate, TextReportHasALinePerCheckAndASummary) {
  Outcome o = vesselhost("validate " + fixture("clean") + " " + fixture("animation_before_create"));
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_NE(o.out.find("  pass  entry-points: "), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("  FAIL  host-contract: 1 host warning(s), the first: t=0 s V1 SetAnimation in clbkSetClassCaps: animation 0 was "
                       "never created"),
            std::string::npos)
      << o.out;
  EXPECT_NE(o.out.find("\nvalidate: 2 module(s), 1 passed; 14 checks, 12 passed, 2 failed\n"), std::string::npos)
      << o.out;
}

TEST(Validate, MissingModulesFailAndNoModuleIsAUsageError) {
  EXPECT_EQ(vesselhost("validate").exitCode, 2);
  Outcome o = vesselhost("validate NoSuchModule");
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_NE(o.out.find("FAIL  entry-points: no module file"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("FAIL  lifecycle: not run"), std::string::npos) << o.out;
}

}  // namespace

// Where validate runs a module: a scratch folder with a view of the module
// folder (the module under test in it under its own name) and of the class
// configuration folder (with a class made up for the module when no
// configuration names it). Removed again when the workspace goes.
#ifndef VESSELHOST_VALIDATEWORKSPACE_H
#define VESSELHOST_VALIDATEWORKSPACE_H

#include <string>

namespace vesselhost {

class ValidateWorkspace {
public:
  ValidateWorkspace() = default;
  ~ValidateWorkspace();
  ValidateWorkspace(const ValidateWorkspace &) = delete;
  ValidateWorkspace &operator=(const ValidateWorkspace &) = delete;

  // spec is a module name in moduleDir or a path to a module file. False,
  // with the reason in error, when there is no such module file or the
  // scratch folder cannot be made.
  bool prepare(const std::string &spec, const std::string &configDir, const std::string &moduleDir,
               std::string &error);

  const std::string &module() const { return module_; }        // the module's name
  const std::string &path() const { return path_; }            // its file
  const std::string &className() const { return className_; }  // a class whose Module it is
  bool madeUpClass() const { return madeUpClass_; }
  const std::string &configDir() const { return configDir_; }
  const std::string &moduleDir() const { return moduleDir_; }
  // Example scenarios whose vessels of the module the checks also start
  // from; "" for none.
  const std::string &examplesDir() const { return examplesDir_; }
  void setExamplesDir(const std::string &dir) { examplesDir_ = dir; }

private:
  std::string root_, module_, path_, className_, configDir_, moduleDir_, examplesDir_;
  bool madeUpClass_ = false;
};

// The module a class configuration file names ("" when none): the value of
// its Module item, keys compared without regard to case, ";" comments.
std::string configuredModule(const std::string &cfgPath);

}  // namespace vesselhost

#endif  // VESSELHOST_VALIDATEWORKSPACE_H

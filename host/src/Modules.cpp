// Loading vessel modules, entry points looked up by their plain names.
#include "HostCore.h"

#include <set>

namespace vhost {

namespace {

// A module stays mapped when the process keeps it (unique symbols, another
// user) and then does not run its initialisation again; what it announced
// the first time still holds.
std::set<std::string> &announcedPaths() {
  static std::set<std::string> paths;
  return paths;
}

}  // namespace

detail::LoadedModule *Simulation::Impl::acquireModule(const std::string &name, std::string &error) {
  for (auto &m : modules)
    if (m->name == name) {
      ++m->users;
      return m.get();
    }
  if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name.find("..") != std::string::npos) {
    error = "module name \"" + name + "\" is not a plain name";
    return nullptr;
  }
  std::string path = opt.moduleDir + "/" + name + SharedLibrary::suffix();
  std::size_t info = moduleInfos.size();
  for (std::size_t i = 0; i < moduleInfos.size(); ++i)
    if (moduleInfos[i].name == name) info = i;
  if (info == moduleInfos.size()) {
    ModuleInfo mi;
    mi.name = name;
    mi.path = path;
    moduleInfos.push_back(mi);
  }
  // InitLib, called while the module's own initialisation runs, is put down
  // to the module being opened.
  loadingModule = long(info);
  initLibCalled = false;
  auto m = std::make_unique<detail::LoadedModule>();
  std::string why;
  const bool loaded = m->library.open(path, why);
  loadingModule = -1;
  if (!loaded) {
    error = "cannot load module " + path + ": " + why;
    if (info == moduleInfos.size() - 1 && !moduleInfos[info].announced) moduleInfos.pop_back();
    return nullptr;
  }
  // The module's own handle is what the host loaded it under.
  if (initLibCalled && initLibHandle != m->library.handle())
    warn(nullptr, "InitLib", "module %s gave a handle that is not its own", path.c_str());
  m->name = name;
  m->path = path;
  m->init = reinterpret_cast<OVC_INIT_FUNC>(m->library.symbol("ovcInit"));
  m->exit = reinterpret_cast<OVC_EXIT_FUNC>(m->library.symbol("ovcExit"));
  if (!m->init || !m->exit) {
    error = "module " + path + " does not export ovcInit and ovcExit";
    return nullptr;
  }
  m->info = info;
  ModuleInfo &mi = moduleInfos[info];
  mi.path = path;
  if (mi.announced)
    announcedPaths().insert(path);
  else if (announcedPaths().count(path))
    mi.announced = true;
  if (auto date = reinterpret_cast<MODULE_DATE_FUNC>(m->library.symbol("ModuleDate"))) {
    const char *text = date();
    mi.hasDate = true;
    mi.date = text ? text : "";
  }
  if (auto version = reinterpret_cast<MODULE_VERSION_FUNC>(m->library.symbol("GetModuleVersion"))) {
    mi.hasVersion = true;
    mi.version = version();
  }
  m->users = 1;
  modules.push_back(std::move(m));
  return modules.back().get();
}

void Simulation::Impl::releaseModule(detail::LoadedModule *m) {
  if (!m || --m->users > 0) return;
  for (std::size_t i = 0; i < modules.size(); ++i)
    if (modules[i].get() == m) {
      modules.erase(modules.begin() + long(i));
      return;
    }
}

}  // namespace vhost

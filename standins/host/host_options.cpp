#include "standins/host/host_options.h"

#include <cerrno>
#include <cstdlib>

#include "platform/acrobat/host_tables.h"
#include "standins/host/click_names.h"
#include "standins/host/operations.h"

namespace standin {
namespace {

// The operations --fail takes, wrapped to the usage's width.
std::string FailableOperations() {
  constexpr size_t kIndent = 27;
  constexpr size_t kWidth = 96;
  std::string text;
  std::string line(kIndent, ' ');
  for (int id = 0; id < kOpCount; ++id) {
    const OpInfo& operation = InfoOf(static_cast<OpId>(id));
    if (!operation.hasResult) {
      continue;
    }
    std::string name = operation.name;
    if (line.size() > kIndent && line.size() + 1 + name.size() > kWidth) {
      text += line + "\n";
      line.assign(kIndent, ' ');
    }
    line += (line.size() > kIndent ? " " : "") + name;
  }
  return text + line + "\n";
}

bool ParseNumber(const std::string& text, uint32_t* value) {
  if (text.empty() || text[0] == '-') {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  unsigned long long parsed = std::strtoull(text.c_str(), &end, 0);
  if (errno != 0 || end == text.c_str() || *end != '\0' || parsed > 0xFFFFFFFFull) {
    return false;
  }
  *value = static_cast<uint32_t>(parsed);
  return true;
}

bool IsTableName(const std::string& name) {
  for (int index = 0; index < kHostTableCount; ++index) {
    if (name == HostTableName(static_cast<HostTableId>(index))) {
      return true;
    }
  }
  return false;
}

// "NAME<separator>NUMBER" with a table name, or with an operation name for faults.
bool SplitNamed(const std::string& text, char separator, std::string* name, uint32_t* number) {
  size_t at = text.rfind(separator);
  if (at == std::string::npos || at == 0) {
    return false;
  }
  *name = text.substr(0, at);
  return ParseNumber(text.substr(at + 1), number);
}

bool ParseAppVersion(const std::string& text, Scenario* scenario) {
  size_t dot = text.find('.');
  uint32_t major = 0;
  uint32_t minor = 0;
  if (dot == std::string::npos || !ParseNumber(text.substr(0, dot), &major) ||
      !ParseNumber(text.substr(dot + 1), &minor) || major > 0x7FFF || minor > 0x7FFF) {
    return false;
  }
  scenario->appMajor = static_cast<int16_t>(major);
  scenario->appMinor = static_cast<int16_t>(minor);
  return true;
}

bool RemoveHostMenu(const std::string& name, Scenario* scenario) {
  if (name == "UsingExtensions") {
    scenario->usingExtensionsMenu = false;
    return true;
  }
  if (name == "AboutExtensions") {
    scenario->aboutExtensionsMenu = false;
    return true;
  }
  std::vector<std::string>& menus = scenario->menubarMenus;
  for (auto menu = menus.begin(); menu != menus.end(); ++menu) {
    if (*menu == name) {
      menus.erase(menu);
      return true;
    }
  }
  return false;
}

// One option with its value; false with a message when the value is wrong.
bool ApplyValueOption(const std::string& option, const std::string& value, HostOptions* options,
                      std::string* error) {
  Scenario& scenario = options->scenario;
  std::string name;
  uint32_t number = 0;
  if (option == "--handshake") {
    if (ParseNumber(value, &options->handshakeVersion))
      return true;
  } else if (option == "--refuse") {
    if (SplitNamed(value, '@', &name, &number) && IsTableName(name)) {
      scenario.refusedTables[name].insert(number);
      return true;
    }
  } else if (option == "--version-answer") {
    if (SplitNamed(value, '=', &name, &number) && IsTableName(name)) {
      scenario.versionAnswers[name] = number;
      return true;
    }
  } else if (option == "--app-version") {
    if (ParseAppVersion(value, &scenario))
      return true;
  } else if (option == "--no-host-menu") {
    if (RemoveHostMenu(value, &scenario))
      return true;
  } else if (option == "--click") {
    if (!ParseClickName(value).name.empty()) {
      options->clicks.push_back(value);
      return true;
    }
  } else if (option == "--answer") {
    options->answers.push_back(value);
    return true;
  } else if (option == "--fail-call") {
    if (ParseNumber(value, &scenario.failCall) && scenario.failCall != 0)
      return true;
  } else if (option == "--fail") {
    const OpInfo* operation = nullptr;
    if (SplitNamed(value, ':', &name, &number) && number != 0 &&
        (operation = FindOperation(name)) != nullptr) {
      if (!operation->hasResult) {
        *error = name + " has no result, so it cannot be made to fail";
        return false;
      }
      scenario.failOperation = name;
      scenario.failOperationCall = number;
      return true;
    }
  } else if (option == "--stream-limit") {
    if (ParseNumber(value, &scenario.streamReadLimit))
      return true;
  } else {
    *error = "unknown option " + option;
    return false;
  }
  *error = "bad value for " + option + ": \"" + value + "\"";
  return false;
}

bool TakesValue(const std::string& option) {
  static const char* const kValued[] = {
      "--handshake", "--refuse", "--version-answer", "--app-version", "--no-host-menu",
      "--click",     "--answer", "--fail-call",      "--fail",        "--stream-limit"};
  for (const char* valued : kValued) {
    if (option == valued) {
      return true;
    }
  }
  return false;
}

bool ApplyFlag(const std::string& option, HostOptions* options) {
  if (option == "--refuse-own-menu") {
    options->scenario.refuseOwnMenu = true;
  } else if (option == "--no-end-tools-group") {
    options->scenario.endToolsGroupButton = false;
  } else if (option == "--log") {
    options->printLog = true;
  } else if (option == "--help" || option == "-h") {
    options->help = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseHostOptions(const std::vector<std::string>& arguments, HostOptions* options,
                      std::string* error) {
  for (size_t index = 0; index < arguments.size(); ++index) {
    const std::string& argument = arguments[index];
    if (argument.size() < 2 || argument[0] != '-') {
      if (!options->modulePath.empty()) {
        *error = "more than one module path";
        return false;
      }
      options->modulePath = argument;
    } else if (TakesValue(argument)) {
      if (index + 1 >= arguments.size()) {
        *error = argument + " needs a value";
        return false;
      }
      if (!ApplyValueOption(argument, arguments[++index], options, error)) {
        return false;
      }
    } else if (!ApplyFlag(argument, options)) {
      *error = "unknown option " + argument;
      return false;
    }
  }
  return true;
}

std::string HostUsage() {
  return "usage: korvalume-host [options] [module path]\n"
         "Loads the module (default: Korvalume.api beside this program) as the host\n"
         "application would, and prints what it asked for and registered.\n"
         "  --handshake V            handshake version the host offers (default 0x20000)\n"
         "  --refuse TABLE@VERSION   refuse a table at a version (repeatable)\n"
         "  --version-answer TABLE=V answer V to the table's version query\n"
         "  --app-version M.m        application version (default 9.0)\n"
         "  --no-host-menu NAME      leave out a host menu (e.g. UsingExtensions)\n"
         "  --refuse-own-menu        refuse to create the plug-in's own menu\n"
         "  --no-end-tools-group     leave out the endToolsGroup tool button\n"
         "  --click NAME             click what the plug-in registered by that name, a tool\n"
         "                           button before a menu item (the run says which, and what\n"
         "                           else bears the name); repeatable, in order:\n"
         "                             button:NAME  the tool button only\n"
         "                             item:NAME    a menu item only\n"
         "                             MENU/ITEM    the item ITEM of the menu MENU\n"
         "                           e.g. --click ADBE:Korvalume is the tool button (Import),\n"
         "                           --click item:ADBE:Korvalume the UsingExtensions item (Help)\n"
         "  --answer PATH            the file dialog's answer; repeat it for a second dialog:\n"
         "                           each dialog takes the next, in order (none left: Cancel)\n"
         "  --fail-call N            make the N-th host call fail\n"
         "  --fail OP:N              make the N-th call of the operation OP fail; OP is one of\n" +
         FailableOperations() +
         "  --stream-limit K         deliver at most K bytes per stream read\n"
         "  --log                    print every host call at the end\n"
         "Exit status: 0 the run ended, 2 a usage error, 3 the module could not be loaded,\n"
         "4 a --click named nothing registered (the clicks after it are not made),\n"
         "5 the host ran out of memory.\n";
}

}  // namespace standin

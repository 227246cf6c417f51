#include "standins/host/op_call.h"

#include <cstdio>
#include <type_traits>

#include "standins/host/handles.h"

namespace standin {
namespace {

const OpInfo kOperations[] = {
#define KV_OP_INFO(name, table, selector, result, params, args) \
  {#name, HostTableId::table, selector, !std::is_void<result>::value},
    KV_HOST_OPERATION_LIST(KV_OP_INFO)
#undef KV_OP_INFO
};

bool FaultAimsAt(const Scenario& scenario, uint32_t number, const char* name,
                 uint32_t operationNumber) {
  if (scenario.failCall != 0 && scenario.failCall == number) {
    return true;
  }
  return scenario.failOperationCall != 0 && scenario.failOperation == name &&
         scenario.failOperationCall == operationNumber;
}

}  // namespace

const OpInfo& InfoOf(OpId id) {
  return kOperations[static_cast<int>(id)];
}

const OpInfo* FindOperation(const std::string& name) {
  for (const OpInfo& info : kOperations) {
    if (name == info.name) {
      return &info;
    }
  }
  return nullptr;
}

bool IsHostOperation(const std::string& name) {
  return FindOperation(name) != nullptr;
}

OpCall::OpCall(OpId id, std::string arguments) : state_(CurrentState()) {
  const OpInfo& info = InfoOf(id);
  CallRecord record;
  record.number = ++state_.callCount;
  record.table = HostTableName(info.table);
  record.selector = info.selector;
  record.operation = info.name;
  record.arguments = std::move(arguments);
  record.grant = state_.callGrant;
  if (record.grant != 0) {
    record.grantVersion = state_.grants[record.grant - 1]->info.version;
  }
  state_.callGrant = 0;
  uint32_t operationNumber = ++state_.operationCalls[static_cast<size_t>(id)];
  if (FaultAimsAt(state_.scenario, record.number, info.name, operationNumber)) {
    if (info.hasResult) {
      failed_ = true;
      record.failed = true;
      record.note = "fault injected";
    } else {
      record.note = "fault ignored: no result";
    }
  }
  record_ = state_.log.size();
  state_.log.push_back(std::move(record));
}

void OpCall::SetResult(const std::string& shown) {
  state_.log[record_].result = shown;
}

void OpCall::Note(const std::string& note) {
  std::string& existing = state_.log[record_].note;
  existing = existing.empty() ? note : existing + "; " + note;
}

std::string Args(std::initializer_list<std::string> parts) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) {
      joined += ", ";
    }
    joined += part;
  }
  return joined;
}

std::string Quote(const char* text) {
  if (text == nullptr) {
    return "null";
  }
  constexpr size_t kShown = 200;
  std::string quoted = "\"";
  size_t length = 0;
  for (; text[length] != '\0' && length < kShown; ++length) {
    unsigned char c = static_cast<unsigned char>(text[length]);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\x%02x", c);
      quoted += escaped;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  quoted += '"';
  if (text[length] != '\0') {
    quoted += "...";
  }
  return quoted;
}

std::string ShowAtom(const HostState& state, HostAtom atom) {
  if (atom == 0) {
    return "atom 0";
  }
  if (atom >= state.atoms.names.size()) {
    return "atom " + std::to_string(atom) + " (unknown)";
  }
  return "atom " + std::to_string(atom) + " " + Quote(state.atoms.names[atom].c_str());
}

std::string Hex32(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%X", static_cast<unsigned>(value));
  return text;
}

std::string ShowInt(int64_t value) {
  return std::to_string(value);
}

std::string ShowBool(HostBool value) {
  return value == kHostFalse  ? "false"
         : value == kHostTrue ? "true"
                              : "true(" + ShowInt(value) + ")";
}

std::string ShowPointer(const void* pointer) {
  if (pointer == nullptr) {
    return "null";
  }
  char text[32];
  std::snprintf(text, sizeof(text), "%p", pointer);
  return text;
}

std::string ShowTable(const HostState& state, HostFunctionTable table) {
  if (table == nullptr) {
    return "null";
  }
  int index = TableIndexOf(state, table);
  if (index < 0) {
    return ShowPointer(reinterpret_cast<const void*>(table)) + "(not a table)";
  }
  std::string shown = std::string("table ") + HostTableName(static_cast<HostTableId>(index));
  if (const GrantRec* grant = GrantOf(state, table)) {
    shown += " (grant " + std::to_string(grant->info.id) + ")";
  }
  return shown;
}

std::string ShowCos(HostCosObj object) {
  size_t index = 0;
  if (object.a == 0 && object.b == 0) {
    return "cos null";
  }
  if (!CosIndex(object, &index)) {
    return "cos {" + Hex32(object.a) + ", " + Hex32(object.b) + "}(not an object)";
  }
  return "cos#" + std::to_string(index + 1);
}

std::string ShowAnnot(HostAnnot annot) {
  size_t index = 0;
  if (!AnnotIndex(annot, &index)) {
    return "annot {" + Hex32(annot.a) + ", " + Hex32(annot.b) + "}(not an annotation)";
  }
  return "annot#" + std::to_string(index + 1);
}

std::string FormatCallRecord(const CallRecord& record) {
  std::string line;
  if (record.intoPlugIn) {
    line = "   >> plug-in " + record.operation + "(" + record.arguments + ")";
  } else {
    line = "#" + std::to_string(record.number) + " ";
    line.append(record.table);
    line += " " + std::to_string(record.selector) + " " + record.operation + "(" +
            record.arguments + ")";
  }
  line += " -> " + record.result;
  if (!record.note.empty()) {
    line += "  [" + record.note + "]";
  }
  if (record.grant != 0) {
    line += "  {grant " + std::to_string(record.grant) + " at " + Hex32(record.grantVersion) + "}";
  }
  return line;
}

}  // namespace standin

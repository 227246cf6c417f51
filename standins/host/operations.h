// The host's procedures, one per operation of the list, declared from the list itself so that
// each definition must have exactly the operation's type.
#pragma once

#include <string>

#include "platform/acrobat/host_operations.h"

namespace standin {

enum class OpId : int {
#define KV_OP_ID(name, table, selector, result, params, args) name,
  KV_HOST_OPERATION_LIST(KV_OP_ID)
#undef KV_OP_ID
};

// How many operations the list holds: OpId values run from 0 below it.
constexpr int kOpCount = 0
#define KV_OP_ONE(name, table, selector, result, params, args) +1
    KV_HOST_OPERATION_LIST(KV_OP_ONE)
#undef KV_OP_ONE
    ;

struct OpInfo {
  const char* name;
  HostTableId table;
  int selector;
  bool hasResult;  // an operation without a result cannot be made to fail
};

const OpInfo& InfoOf(OpId id);
// The operation of that name, or null.
const OpInfo* FindOperation(const std::string& name);

namespace op {
#define KV_OP_DECLARE(name, table, selector, result, params, args) result HOSTCALL name params;
KV_HOST_OPERATION_LIST(KV_OP_DECLARE)
#undef KV_OP_DECLARE
}  // namespace op

}  // namespace standin

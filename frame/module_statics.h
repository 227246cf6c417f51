// The module's own static objects are built in this order when the module loads, before the
// host's first call, and destroyed in the reverse order when it unloads: the application
// object is built first and destroyed last.
#pragma once

#define KV_MODULE_STATIC(order) __attribute__((init_priority(order)))

#define KV_ORDER_APP_OBJECT 1000
#define KV_ORDER_ABOUT_HOST_NAMES 1001
#define KV_ORDER_HOST_NAMES 1002
#define KV_ORDER_LAST_ERROR_TEXT 1003
#define KV_ORDER_ENTITY_NAME 1004

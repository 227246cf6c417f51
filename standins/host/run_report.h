// What korvalume-host prints of a run, in plain lines.
#pragma once

#include <cstdio>
#include <string>

#include "standins/host/host.h"

namespace standin {

void PrintLoading(std::FILE* out, const Host& host);
void PrintRegistrations(std::FILE* out, Host& host);
// A click by a registered name (the forms of click_names.h): a tool button first, then a menu
// item. Says which it clicked and how to name the others that bear the name; false when
// nothing registered bears it.
bool Click(std::FILE* out, Host& host, const std::string& text);
void PrintAlertsAndDocuments(std::FILE* out, const Host& host);
void PrintLeaks(std::FILE* out, const Host& host);

}  // namespace standin

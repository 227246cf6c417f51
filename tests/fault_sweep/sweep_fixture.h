// What the sweeps share: a scratch folder that "temp" names, the 3D library on the search path,
// the file dialog answering with the model, and whether a temporary file was left.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/file_dialog.h"
#include "tests/support/test_env.h"

class SweepFixture : public ::testing::Test {
 protected:
  SweepFixture()
      : temp_("temp", scratch_.path().c_str()),
        path_("PATH", testenv::PathWith(testenv::BuildPath(KV_A3DLIB_DIR)).c_str()) {}
  ~SweepFixture() override { KvSetFileDialogAnswerForTesting(nullptr, false); }

  void AnswerDialogWith(const std::string& model) {
    KvSetFileDialogAnswerForTesting(model.c_str(), true);
  }

  // Named as the plug-in names it: "temp", a backslash and the file name.
  bool TemporaryFileLeft() const { return testenv::FileExists(scratch_.path() + "\\TVLTemp.prc"); }

  testenv::ScratchDir scratch_;
  testenv::ScopedEnv temp_;
  testenv::ScopedEnv path_;
};

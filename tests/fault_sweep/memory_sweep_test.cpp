// Every allocation of the mesh toolkit during an import of two meshes refused in turn, as when
// memory runs out: whichever fails, the import ends with its one alert, the host is asked to
// open nothing, nothing the host lent is kept and no temporary file is left.
#include <gtest/gtest.h>

#include <cstdio>

#include "import/import_command.h"
#include "platform/opennurbs/on_allocation.h"
#include "tests/import/import_fixture.h"
#include "tests/support/plugin_session.h"

namespace {

// Two objects: a quad, and a nonagon that the reader fans into seven triangles, so that the
// merged face list is full when the quad's split needs one more.
const char kTwoMeshes[] =
    "o quad\n"
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
    "f 1 2 3 4\n"
    "o nonagon\n"
    "v 4 0 1\nv 3 2 1\nv 1 4 1\nv -1 4 1\nv -3 3 1\nv -4 1 1\nv -4 -1 1\nv -2 -3 1\n"
    "v 1 -3 1\n"
    "f 5 6 7 8 9 10 11 12 13\n";

struct ImportOutcome {
  int result = -1;
  int allocations = 0;  // the toolkit's, during the import
  std::vector<std::string> alerts;
  size_t opened = 0;
  bool clean = false;
};

class MemorySweep : public ImportTest {
 protected:
  MemorySweep() { AnswerDialogWith(scratch_.Write("two-meshes.obj", kTwoMeshes).c_str()); }
  ~MemorySweep() override { KvFailArrayAllocationForTesting(0); }

  // One Import command with the toolkit's n-th allocation refused (0: none).
  ImportOutcome Import(int refused) {
    PlugInSession session;
    ImportOutcome outcome;
    KvFailArrayAllocationForTesting(refused);
    outcome.result = RunImportCommand();
    outcome.allocations = KvArrayAllocationsForTesting();
    KvFailArrayAllocationForTesting(0);
    outcome.alerts = session.host.Alerts();
    outcome.opened = session.host.OpenedDocuments().size();
    outcome.clean = session.host.Leaks().Clean();
    return outcome;
  }
};

TEST_F(MemorySweep, EveryAllocationOfTheToolkitRefusedInTurn) {
  const ImportOutcome clean = Import(0);
  ASSERT_EQ(1, clean.result) << (clean.alerts.empty() ? "" : clean.alerts[0]);
  ASSERT_EQ(1u, clean.opened);
  ASSERT_TRUE(clean.alerts.empty());
  ASSERT_GT(clean.allocations, 0);

  int refused = 0;
  for (int n = 1;; ++n) {
    const ImportOutcome outcome = Import(n);
    if (outcome.allocations < n) {
      // the hook never fired: the import ran as without it
      EXPECT_EQ(1, outcome.result);
      EXPECT_EQ(1u, outcome.opened);
      break;
    }
    SCOPED_TRACE("allocation " + std::to_string(n) + " refused");
    ++refused;
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(std::vector<std::string>{"Unable to create PRC file [Not enough memory]"},
              outcome.alerts);
    EXPECT_EQ(0u, outcome.opened) << "no partial model is opened";
    EXPECT_TRUE(outcome.clean);
    EXPECT_FALSE(testenv::FileExists(TempPrcPath()));
  }
  EXPECT_EQ(clean.allocations, refused);
  std::printf(
      "memory sweep: %d allocations of the toolkit refused one at a time, each one alert, "
      "no document, no leak, no stray file\n",
      refused);
}

}  // namespace

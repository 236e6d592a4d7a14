// The fakes are header-only; this file gives their target something to compile besides the
// generated meta-object code.
#include "tests/support/fakes/FakeDesktop.h"
#include "tests/support/fakes/FakeGrantTokens.h"
#include "tests/support/fakes/FakeMountWatcher.h"
#include "tests/support/fakes/FakeNotifier.h"
#include "tests/support/fakes/FakeSettingsStore.h"
#include "tests/support/fakes/FakeTimer.h"

#pragma once

namespace sondrel {

// What the browser engine needs before the QApplication exists: it refuses
// to run as root inside its sandbox, and without a GPU (or under Xvfb) it
// must not try to use one.
void PrepareWebEngineEnvironment();

}  // namespace sondrel

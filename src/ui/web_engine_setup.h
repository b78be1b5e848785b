#pragma once

namespace sondrel {

// What the browser engine needs before the QApplication exists: it refuses
// to run as root inside its sandbox, and without a GPU (or under Xvfb) it
// must not try to use one. The view's own address scheme is registered here
// too, as the engine requires.
void PrepareWebEngineEnvironment();

}  // namespace sondrel

#pragma once

#include <QString>

namespace sondrel::testing {

// The folder that holds the settings files written by these tests.
QString SettingsFolder();

}  // namespace sondrel::testing

#pragma once

#include "shell/user_interface.h"

namespace sondrel {

// The modal message box as QMessageBox: no icon, OK (the default) and, when
// asked, Cancel; titled "Sondrel" unless the caller names a title.
class QtMessageBox : public MessageBox {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                              const std::string& title = ApplicationTitle) override;
};

}  // namespace sondrel

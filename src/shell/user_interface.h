#pragma once

#include <string>
#include <vector>

#include "generator/template_check.h"

namespace sondrel {

inline constexpr const char* ApplicationTitle = "Sondrel";

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// The modal message box. Any way of closing it but OK answers Cancel.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                                      const std::string& title = ApplicationTitle) = 0;
};

// What a conversion needs of the windows: hide the conversion dialog, ask or
// tell the user something, and show the written document.
class ConversionUi : public MessageBox {
public:
    virtual void HideConversionDialog() = 0;
    virtual void ShowInBrowser(const std::string& path) = 0;
    // Whether the template read should be checked for likely mistakes, to
    // be given to ReportTemplateDiagnostics; the windows show none.
    virtual bool WantsTemplateDiagnostics() { return false; }
    virtual void ReportTemplateDiagnostics(const std::string& /*templatePath*/,
                                           const std::vector<TemplateDiagnostic>& /*diagnostics*/)
    {
    }
};

}  // namespace sondrel

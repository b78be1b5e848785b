#pragma once

#include <iosfwd>
#include <string>

#include "shell/user_interface.h"

namespace sondrel {

// What to do when the output file already exists.
enum class OverwritePolicy {
    Replace,  // --force: replace it without asking
    Ask,      // ask on the terminal, y/N
    Keep,     // no terminal to ask on: keep it
};

// The user interface of the converter: messages become lines on the error
// stream, the overwrite question is asked there and answered from the input
// stream. There is no dialog to hide and no browser to show the result in.
class ConsoleUi : public ConversionUi {
public:
    ConsoleUi(std::istream& in, std::ostream& err, OverwritePolicy policy);

    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title) override;
    void HideConversionDialog() override {}
    void ShowInBrowser(const std::string&) override {}
    bool WantsTemplateDiagnostics() override { return true; }
    // One "template.htm:12:5: warning: ..." line each.
    void ReportTemplateDiagnostics(const std::string& templatePath,
                                   const std::vector<TemplateDiagnostic>& diagnostics) override;

private:
    MessageAnswer AskOnTerminal(const std::string& question);

    std::istream& in_;
    std::ostream& err_;
    OverwritePolicy policy_;
};

// The name the converter gives itself in its messages.
inline constexpr const char* ConverterName = "sondrel-convert";

}  // namespace sondrel

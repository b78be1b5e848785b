#include "cli/console_ui.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "model/file_error.h"

namespace sondrel {

namespace {
// A message is one line on the error stream, whatever it carries: line
// breaks become blanks, and other control characters from a file or a path
// are shown escaped rather than sent to the terminal.
std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    return EscapeControlCharacters(text);
}

bool IsYes(std::string answer)
{
    answer.erase(0, answer.find_first_not_of(" \t"));
    answer.erase(answer.find_last_not_of(" \t\r") + 1);
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return answer == "y" || answer == "yes";
}
}  // namespace

ConsoleUi::ConsoleUi(std::istream& in, std::ostream& err, OverwritePolicy policy)
    : in_(in), err_(err), policy_(policy)
{
}

MessageAnswer ConsoleUi::ShowMessage(const std::string& text, MessageButtons buttons, const std::string&)
{
    if (buttons == MessageButtons::Ok) {
        err_ << ConverterName << ": " << OneLine(text) << '\n' << std::flush;
        return MessageAnswer::Ok;
    }
    switch (policy_) {
    case OverwritePolicy::Replace:
        return MessageAnswer::Ok;
    case OverwritePolicy::Ask:
        return AskOnTerminal(text);
    case OverwritePolicy::Keep:
        break;
    }
    return MessageAnswer::Cancel;
}

MessageAnswer ConsoleUi::AskOnTerminal(const std::string& question)
{
    err_ << OneLine(question) << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(in_, answer)) {
        err_ << '\n';  // end of input: leave the prompt's line closed
        return MessageAnswer::Cancel;
    }
    return IsYes(answer) ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void ConsoleUi::ReportTemplateDiagnostics(const std::string& templatePath,
                                          const std::vector<TemplateDiagnostic>& diagnostics)
{
    for (const TemplateDiagnostic& diagnostic : diagnostics)
        err_ << OneLine(templatePath) << ':' << diagnostic.Line << ':' << diagnostic.Column
             << ": warning: " << OneLine(diagnostic.Message) << '\n';
}

}  // namespace sondrel

#pragma once

#include <string>

#include "format/locale.h"
#include "format/preferences.h"
#include "model/project_model.h"

namespace sondrel {

class SessionFacts;

// Everything the template language reads: the project, the user's choices,
// how numbers and dates are written, and the clock for ##DATE## and ##TIME##.
struct GenerationContext {
    const ProjectModel& Model;
    const Preferences& Prefs;
    const Locale& UserLocale;
    const Clock& UserClock;
    // Every inserted value is escaped for HTML: set for a template that
    // declares HtmlEscapeDeclaration.
    bool EscapeHtml = false;
    // What the document knows of the whole session: set while a template is expanded.
    const SessionFacts* Facts = nullptr;
};

// A template holding this line, exactly so, has every value it inserts
// escaped for HTML. Old templates never hold it, so they keep their output.
inline constexpr const char* HtmlEscapeDeclaration = "<!-- SONDREL: ESCAPE-HTML -->";

// Expands a whole template against the project: document placeholders, then
// the track section once per track (conditionals, track placeholders, the FX,
// ITEM, SEND and RECEIVE sections). Pure: touches no file. Values are escaped
// for HTML when the template holds HtmlEscapeDeclaration. Throws
// DocumentTooLarge when the output would pass MaxDocumentSize.
std::string ExpandTemplate(const std::string& templateText, const std::string& templatePath,
                           const std::string& outputPath, const GenerationContext& context);

}  // namespace sondrel

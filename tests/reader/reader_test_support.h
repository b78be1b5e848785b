#pragma once

#include <initializer_list>
#include <string>

#include "model/file_error.h"
#include "model/project_model.h"
#include "reader/read_project.h"

namespace sondrel::testing {

// The lines joined by line feeds, ready to read.
inline std::string Project(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

inline ProjectModel Read(const std::string& text)
{
    ProjectModel model;
    ReadProjectText(model, text, "test.rpp");
    return model;
}

// The message of the failure that reading text gives, or "" when it reads.
inline std::string ReadFailure(const std::string& text)
{
    ProjectModel model;
    try {
        ReadProjectText(model, text, "test.rpp");
    } catch (const FileError& error) {
        return error.what();
    }
    return "";
}

}  // namespace sondrel::testing

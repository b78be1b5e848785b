#include "cli/library_command.h"

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>

#include <QCoreApplication>
#include <QEventLoop>

#include "cli/project_conversion.h"
#include "format/file_paths.h"
#include "format/text_ops.h"
#include "generator/library_index.h"
#include "model/file_error.h"
#include "shell/parallel_for.h"
#include "shell/project_library.h"

namespace sondrel {

namespace {

// What the conversions running at once share: the terminal with its
// progress line, and their messages, written in the projects' order.
class LibraryOutput {
public:
    // inOrder(n) is called for each project, in the projects' order, as soon
    // as it and every project before it are done.
    LibraryOutput(ConverterStreams& streams, const std::vector<std::string>& projects,
                  std::function<void(std::size_t)> inOrder)
        : streams_(streams), projects_(projects), pending_(projects.size()), inOrder_(std::move(inOrder))
    {
    }

    void Started(std::size_t n)
    {
        const std::lock_guard lock(lock_);
        current_ = n;
        ShowProgress();
    }

    void Finished(std::size_t n, std::string messages)
    {
        const std::lock_guard lock(lock_);
        pending_[n] = std::move(messages);
        ++done_;
        ClearProgress();
        for (; written_ < pending_.size() && pending_[written_]; ++written_) {
            streams_.Err << *pending_[written_];
            pending_[written_].reset();
            inOrder_(written_);
        }
        ShowProgress();
    }

    // The overwrite question, asked on the terminal at once, one at a time.
    MessageAnswer Ask(const std::string& question, const std::string& title, OverwritePolicy policy)
    {
        const std::lock_guard lock(lock_);
        ClearProgress();
        ConsoleUi terminal(streams_.In, streams_.Err, policy);
        const MessageAnswer answer = terminal.ShowMessage(question, MessageButtons::OkCancel, title);
        ShowProgress();
        return answer;
    }

    // The template's likely mistakes are the same for every project: looked
    // for and said once.
    bool FirstToReportTemplate()
    {
        const std::lock_guard lock(lock_);
        return !std::exchange(templateReported_, true);
    }

    void Close()
    {
        const std::lock_guard lock(lock_);
        ClearProgress();
        streams_.Err << std::flush;
    }

private:
    void ShowProgress()
    {
        if (streams_.ErrorIsTerminal)
            streams_.Err << "\r\x1b[K[" << done_ << '/' << projects_.size() << "] "
                         << EscapeControlCharacters(projects_[current_]) << std::flush;
    }
    void ClearProgress()
    {
        if (streams_.ErrorIsTerminal)
            streams_.Err << "\r\x1b[K";
    }

    std::mutex lock_;
    ConverterStreams& streams_;
    const std::vector<std::string>& projects_;
    std::vector<std::optional<std::string>> pending_;
    std::function<void(std::size_t)> inOrder_;
    std::size_t written_ = 0;
    std::size_t done_ = 0;
    std::size_t current_ = 0;
    bool templateReported_ = false;
};

struct MessageBuffer {
    std::ostringstream Messages;
};

// One project's console: its messages wait in a buffer for their turn; the
// overwrite question goes to the terminal straight away.
class ProjectConsole : private MessageBuffer, public RecordingConsole {
public:
    ProjectConsole(LibraryOutput& output, std::istream& in, OverwritePolicy policy)
        : RecordingConsole(in, Messages, policy), output_(output), policy_(policy)
    {
    }
    using MessageBuffer::Messages;

    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title) override
    {
        if (buttons == MessageButtons::OkCancel && policy_ == OverwritePolicy::Ask)
            return output_.Ask(text, title, policy_);
        return RecordingConsole::ShowMessage(text, buttons, title);
    }
    bool WantsTemplateDiagnostics() override { return output_.FirstToReportTemplate(); }

private:
    LibraryOutput& output_;
    OverwritePolicy policy_;
};

// Runs work on a thread of its own while this thread turns its event loop,
// so that work may hand jobs to it (the PDF printer does).
void RunBesideEventLoop(const std::function<void()>& work)
{
    if (QCoreApplication::instance() == nullptr) {
        work();
        return;
    }
    QEventLoop loop;
    std::exception_ptr failure;
    std::jthread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

// The library's index.htm, made from the index template installed beside
// the default one as the projects come; an existing index is replaced as
// documents are.
class LibraryIndex {
public:
    LibraryIndex(const Preferences& preferences, const ConverterEnvironment& environment)
    {
        const std::string templatePath =
            JoinPath(FolderOf(environment.DefaultTemplate), "index.htm");
        try {
            builder_.emplace(ReadTextFile(templatePath),
                             GenerationContext{none_, preferences, environment.UserLocale, environment.UserClock});
        } catch (const FileError& error) {
            failure_ = error.what();
        }
    }

    void Add(LibraryProject project)
    {
        if (builder_)
            builder_->Add(std::move(project));
    }

    int Write(const std::string& outputFolder, ConverterStreams& streams, OverwritePolicy policy) const
    {
        const std::string indexPath = JoinPath(outputFolder, "index.htm");
        ConsoleUi ui(streams.In, streams.Err, policy);
        try {
            if (FileExists(indexPath) &&
                ui.ShowMessage("The file " + indexPath + " already exists.  Do you want to overwrite it?",
                               MessageButtons::OkCancel, "Overwrite file?") != MessageAnswer::Ok) {
                if (policy == OverwritePolicy::Keep)
                    streams.Err << NotReplacedMessage(indexPath);
                return ExitNotReplaced;
            }
            if (builder_) {
                WriteTextFile(builder_->Finish(), indexPath);
                return ExitWritten;
            }
            ui.ShowMessage(failure_, MessageButtons::Ok, ApplicationTitle);  // the template could not be read
        } catch (const FileError& error) {
            ui.ShowMessage(error.what(), MessageButtons::Ok, ApplicationTitle);
        }
        return ExitFailed;
    }

private:
    const ProjectModel none_;  // the index reads no project's model
    std::optional<IndexBuilder> builder_;
    std::string failure_;
};

struct ProjectResult {
    int Status = ExitWritten;
    LibraryProject Summary;
};

ProjectResult ConvertOne(const ConversionRequest& request, const std::string& documentName,
                         const Preferences& preferences, const ConverterEnvironment& environment,
                         ProjectConsole& ui, OverwritePolicy policy)
{
    ProjectModel model;
    ProjectResult result;
    result.Status = ConvertProject(request, preferences, environment, ui, model);
    if (result.Status == ExitFailed) {
        result.Summary.Project = request.ProjectPath;
        result.Summary.Failure = ui.lastMessage;
    } else {
        if (result.Status == ExitNotReplaced && policy == OverwritePolicy::Keep)
            ui.Messages << NotReplacedMessage(request.OutputPath);
        result.Summary = SummarizeProject(model, request.ProjectPath, documentName);
    }
    return result;
}

}  // namespace

int ConvertLibrary(const LibraryRequest& request, const Preferences& preferences,
                   const ConverterEnvironment& environment, ConverterStreams& streams, OverwritePolicy policy)
{
    try {
        std::error_code error;
        std::filesystem::create_directories(NativePath(request.OutputFolder), error);
        if (error)
            throw FileError(request.OutputFolder, 0, SystemReason("cannot create the folder", error));
    } catch (const FileError& error) {
        streams.Err << ConverterName << ": " << error.what() << "\n";
        return ExitFailed;
    }
    const std::vector<std::string> projects = FindProjects(request.Paths);
    const std::vector<std::string> documents = DocumentPaths(projects, request.OutputFolder, request.Extension);
    std::vector<ProjectResult> results(projects.size());
    LibraryIndex index(preferences, environment);
    LibraryOutput output(streams, projects, [&](std::size_t n) { index.Add(std::move(results[n].Summary)); });
    RunBesideEventLoop([&] {
        ForEachIndex(projects.size(), request.Workers, [&](std::size_t n) {
            output.Started(n);
            ProjectConsole ui(output, streams.In, policy);
            results[n] = ConvertOne({projects[n], documents[n], request.TemplatePath, request.Renderer},
                                    FileNameOf(documents[n]), preferences,
                                    environment, ui, policy);
            output.Finished(n, ui.Messages.str());
        });
    });
    output.Close();

    int failed = 0, kept = 0;
    for (const ProjectResult& result : results) {
        failed += result.Status == ExitFailed;
        kept += result.Status == ExitNotReplaced;
    }
    if (failed + kept > 0)
        streams.Err << ConverterName << ": " << projects.size() - static_cast<std::size_t>(failed + kept) << " of "
                    << projects.size() << " projects written, " << failed << " failed, " << kept << " not replaced\n";
    const int indexStatus = index.Write(request.OutputFolder, streams, policy);
    if (failed > 0 || indexStatus == ExitFailed)
        return ExitFailed;
    return kept > 0 || indexStatus == ExitNotReplaced ? ExitNotReplaced : ExitWritten;
}

}  // namespace sondrel

// Small components the model tests build trees from: a recording dialog
// helper, files whose single-file work is scripted, and a root that stands
// in for the running installation.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "SysUtils.h"
#include "cmp_TFileContainer.h"
#include "types_Installation.h"

namespace vtrl::testkit {

// A rank-9000 helper that records every broadcast it receives as
// "Sender:Event" and can run a reaction to one event name.
class TRecordingDialog : public TBaseHelperComponent {
public:
    explicit TRecordingDialog(TComponent* Owner, std::vector<std::string>* Log) : TBaseHelperComponent(Owner), Log(Log) {
        FRank = rkDialog;
    }
    void DialogEvent(TInstallContainer* Sender, TEventName EventName, TPersistent*) override {
        Log->push_back(Sender->Name() + ":" + EventName.str());
        if (EventName.Text() == ReactTo && Reaction) Reaction();
    }
    std::vector<std::string>* Log;
    std::string ReactTo;
    std::function<void()> Reaction;
};

// A file whose archive and source reads set fixed sizes, and whose
// install step runs a scripted action.
class TScriptedFile : public TInstallFileBase {
public:
    using TInstallFileBase::TInstallFileBase;
    std::string SourcePath() const override { return Path; }
    void SetFileName(const std::string& Name) { Path = "C:\\src\\" + Name; }
    void ReadArchiveInfo() override { FUnpackedSize = Size; }
    void ReadSourceInfo() override { FUnpackedSize = Size; }
    void ProcessHelpers() override {
        if (OnInstall) OnInstall(*this);
    }
    void CompressFile() override {
        if (OnInstall) OnInstall(*this);
    }
    void CopyFile() override {
        if (OnInstall) OnInstall(*this);
    }
    // Sends a status event up as a file reporting progress would.
    void ReportStatus(int32_t BytesDone, bool Finished, TEventName Name = ev::eieInstallingFile);
    std::string Path;
    int32_t Size = 0;
    int32_t LastTotalPercent = -1;
    std::function<void(TScriptedFile&)> OnInstall;
    using TBaseHelperComponent::SendUp;
};

// The root of a test tree and the running installation it belongs to, as
// the TInstall is in a program: ddLoading files resolve at LoadingDir,
// ddMainInstallDir ones at this container's destination.
class TTestInstallation : public TFileContainer, public IInstallation {
public:
    explicit TTestInstallation(TComponent* Owner) : TFileContainer(Owner) {
        SetName("Install1");
        FArchiveFile = "\\files.1";
        FArchiveFileType = ddLoading;
        SetInstallation(this);
    }
    ~TTestInstallation() override {
        if (Installation() == this) SetInstallation(nullptr);
    }
    TInstallContainer& InstallRoot() override { return *this; }
    const std::string& LoadingDirectory() const override { return LoadingDir; }
    std::string MainInstallDir() override { return ExpandDestDir(); }
    std::string ProductName() const override { return Product; }
    std::string CompanyName() const override { return Company; }
    std::string ProductVersion() const override { return Version; }
    void AddUnfinishedEntry(const std::string& Name, TUnfinishedKind Kind) override {
        Unfinished.push_back(Name + ";" + std::to_string(static_cast<int>(Kind)));
    }
    void AddStartupLink(const std::string& LinkName, const std::string& Target,
                        const std::string& Parameters) override {
        StartupLinks.push_back(LinkName + ";" + Target + ";" + Parameters);
    }
    bool ConfirmUserAbort() override {
        ++AbortQuestions;
        const bool answer = AbortAnswer;
        if (OnAbortQuestion) OnAbortQuestion();
        return answer;
    }
    // Runs after each question has been answered (with AbortAnswer as it
    // was then).
    std::function<void()> OnAbortQuestion;
    std::string LoadingDir, Product = "Test Product", Company = "Test Company", Version = "1.0";
    bool AbortAnswer = true;
    int AbortQuestions = 0;
    std::vector<std::string> Unfinished;    // "name;kind"
    std::vector<std::string> StartupLinks;  // "link name;target;parameters"
};

// A file's bytes ("" when it cannot be read), and a file written with
// exactly Text.
std::string ReadAll(const std::string& Path);
void WriteFile(const std::string& Path, const std::string& Text);

// What Body raises, as its message; "no error" when it returns.
template <class F>
std::string MessageOf(F&& Body) {
    const std::string failure = FailureOf(std::forward<F>(Body));
    return failure.empty() ? "no error" : failure;
}

// Creates a component of class T owned by Owner and named Name.
template <class T, class... A>
T* Make(TComponent* Owner, const std::string& Name, A&&... Args) {
    T* c = new T(Owner, std::forward<A>(Args)...);
    c->SetName(Name);
    return c;
}

}  // namespace vtrl::testkit

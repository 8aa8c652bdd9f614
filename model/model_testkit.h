// Small components the model tests build trees from: a recording dialog
// helper and files whose single-file work is scripted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cmp_TInstallFile.h"

namespace vtrl::testkit {

// A rank-9000 helper that records every broadcast it receives as
// "Sender:Event" and can run a reaction to one event name.
class TRecordingDialog : public TBaseHelperComponent {
public:
    explicit TRecordingDialog(TComponent* Owner, std::vector<std::string>* Log) : TBaseHelperComponent(Owner), Log(Log) {
        FRank = rkDialog;
    }
    void DialogEvent(TInstallContainer* Sender, const std::string& EventName, TPersistent*) override {
        Log->push_back(Sender->Name() + ":" + EventName);
        if (EventName == ReactTo && Reaction) Reaction();
    }
    std::vector<std::string>* Log;
    std::string ReactTo;
    std::function<void()> Reaction;
};

// A file whose archive and source reads set fixed sizes, and whose
// install step runs a scripted action.
class TScriptedFile : public TInstallFile {
public:
    using TInstallFile::TInstallFile;
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
    void ReportStatus(int32_t BytesDone, bool Finished, const std::string& Name = "eieInstallingFile");
    int32_t Size = 0;
    int32_t LastTotalPercent = -1;
    std::function<void(TScriptedFile&)> OnInstall;
    using TBaseHelperComponent::SendUp;
};

// Creates a component of class T owned by Owner and named Name.
template <class T, class... A>
T* Make(TComponent* Owner, const std::string& Name, A&&... Args) {
    T* c = new T(Owner, std::forward<A>(Args)...);
    c->SetName(Name);
    return c;
}

}  // namespace vtrl::testkit

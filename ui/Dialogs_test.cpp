// Tests of the question function in silent runs: default answers, the
// question responder and the log line of every call.
#include "Dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "Forms.h"
#include "Unattended.h"

using namespace vtrl;

namespace {

// A silent run logging into a scratch file, removed afterwards.
class SilentQuestions : public ::testing::Test {
protected:
    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        LogName = std::string(tmp) + "vtrl_dialogs_test_" + std::to_string(GetCurrentProcessId()) + ".log";
        DeleteFileA(LogName.c_str());
        InitRunOptions("dialogs.exe /SILENT \"/LOG=" + LogName + "\"");
    }
    void TearDown() override {
        SetQuestionResponder(nullptr);
        InitRunOptions("dialogs.exe");
        DeleteFileA(LogName.c_str());
    }
    // The log after the line that marks the run's beginning.
    std::string LogText() {
        CloseLog();
        std::ifstream f(LogName, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        const std::string text = s.str();
        if (text.rfind("----- ", 0) != 0) return text;
        const size_t end = text.find("\r\n");
        return end == std::string::npos ? std::string() : text.substr(end + 2);
    }
    std::string LogName;
};

}  // namespace

// Nothing is shown: the default answer comes back and the question, the
// answer and how it was reached are logged on one line.
TEST_F(SilentQuestions, DefaultAnswerIsReturnedAndLogged) {
    EXPECT_EQ(MessageDlg("Overwrite C:\\a.txt?\r\nIt is newer.", mtConfirmation, {mbYes, mbNo, mbCancel}, mrNo), mrNo);
    EXPECT_EQ(MessageDlg("Abort the installation?", mtConfirmation, {mbYes, mbNo}), mrYes);  // none: first button
    EXPECT_EQ(MessageDlg("Disk full", mtError, {mbAbort, mbRetry, mbIgnore}, mrRetry), mrRetry);
    EXPECT_EQ(MessageDlg("Retry?", mtWarning, {mbRetry, mbCancel}, mrYes), mrRetry);  // not a button: first
    ShowMessage("Setup complete");
    std::string log = LogText();
    EXPECT_EQ(log,
              "dialogs: start (silent)\r\n"
              "dialogs: message (Confirmation): Overwrite C:\\a.txt? | It is newer. -> No (default)\r\n"
              "dialogs: message (Confirmation): Abort the installation? -> Yes (default)\r\n"
              "dialogs: message (Error): Disk full -> Retry (default)\r\n"
              "dialogs: message (Warning): Retry? -> Retry (default)\r\n"
              "dialogs: message (Information): Setup complete -> OK (default)\r\n");
}

// The responder answers what it knows; an answer that is not one of the
// buttons, or mrNone, falls back to the default.
TEST_F(SilentQuestions, ResponderAnswersWithinTheButtons) {
    std::vector<std::string> asked;
    SetQuestionResponder([&](const TQuestion& q) {
        asked.push_back(q.Msg);
        if (q.Msg == "keep") return int(mrNone);
        if (q.Msg == "bad") return int(mrIgnore);
        return int(mrNo);
    });
    EXPECT_EQ(MessageDlg("delete shared file?", mtConfirmation, {mbYes, mbNo}, mrYes), mrNo);
    EXPECT_EQ(MessageDlg("keep", mtConfirmation, {mbYes, mbNo}, mrYes), mrYes);
    EXPECT_EQ(MessageDlg("bad", mtConfirmation, {mbOK, mbCancel}, mrCancel), mrCancel);
    EXPECT_EQ(asked, (std::vector<std::string>{"delete shared file?", "keep", "bad"}));
    std::string log = LogText();
    EXPECT_NE(log.find("delete shared file? -> No (answered)"), std::string::npos) << log;
    EXPECT_NE(log.find("bad -> Cancel (default)"), std::string::npos) << log;
}

TEST_F(SilentQuestions, UnknownButtonSetRaises) {
    EXPECT_THROW(MessageDlg("x", mtWarning, {mbYes, mbOK}), Exception);
    EXPECT_THROW(MessageDlg("x", mtWarning, {}), Exception);
}

// Without OnException, an unhandled exception becomes an error message:
// in a silent run that is a log line, never a window.
TEST_F(SilentQuestions, UnhandledExceptionIsReportedThroughTheQuestionFunction) {
    Application.OnException.Clear();
    Application.HandleException(Exception("Cannot read the SourceDirectory"));
    Application.HandleException(EAbort());  // a silent abort is only logged
    std::string log = LogText();
    EXPECT_NE(log.find("message (Error): Cannot read the SourceDirectory -> OK (default)"), std::string::npos) << log;
    EXPECT_NE(log.find("dialogs: silent abort"), std::string::npos) << log;
}

// In a silent run errors and warnings also go to standard error, so a
// person running the program from a console sees why it stopped.
TEST_F(SilentQuestions, ErrorsGoToStandardError) {
    std::string name = LogName + ".err";
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE | GENERIC_READ, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    HANDLE saved = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, file);
    (void)MessageDlg("Cannot create C:\\x", mtError, {mbOK});
    (void)MessageDlg("Continue?", mtConfirmation, {mbYes, mbNo});
    SetStdHandle(STD_ERROR_HANDLE, saved);
    CloseHandle(file);
    std::ifstream f(name, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    EXPECT_EQ(s.str(), "Error: Cannot create C:\\x\n");
    f.close();
    DeleteFileA(name.c_str());
}

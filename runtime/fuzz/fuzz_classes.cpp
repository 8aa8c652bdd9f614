// The class information of the definition fuzz target's classes.
#include "fuzz_classes.h"

namespace vtrl::fuzz {

void TFuzzItem::SetOrder(int32_t v) {
    if (v < 0) throw Exception("Order must not be negative");
    FOrder = v;
}

void TFuzzItem::Loaded() {
    if (FCaption == "fail on load") throw Exception("Cannot finish loading");
}

TIM::TIM(TComponent* AOwner) : TComponent(AOwner) {
    PublishMethod("Install1Cleanup", std::function<void(TComponent*)>([](TComponent*) {}));
    PublishMethod("Cleanup", std::function<void(TComponent*)>([](TComponent*) {}));
    PublishMethod("Count", std::function<void(int)>([](int) {}));
}

}  // namespace vtrl::fuzz

using namespace vtrl;
using namespace vtrl::fuzz;

VTRL_IMPLEMENT_CLASS(TFuzzDetails, TPersistent, [](TClassBuilder<TFuzzDetails>& b) {
    b.Integer("Code", &TFuzzDetails::Code, &TFuzzDetails::Code, 0);
    b.template Enum<TFuzzOverwrite>("Kind", &TFuzzDetails::Kind, &TFuzzDetails::Kind, owAlways);
    b.template Set<TFuzzInstallType>("Flags", &TFuzzDetails::Flags, &TFuzzDetails::Flags, TSet<TFuzzInstallType>{});
    b.String("Note", &TFuzzDetails::Note, &TFuzzDetails::Note);
    b.Float("Scale", &TFuzzDetails::Scale, &TFuzzDetails::Scale);
})

VTRL_IMPLEMENT_CLASS(TFuzzInfo, TPersistent, [](TClassBuilder<TFuzzInfo>& b) {
    b.String("CompanyName", &TFuzzInfo::CompanyName, &TFuzzInfo::CompanyName);
    b.String("ProductName", &TFuzzInfo::ProductName, &TFuzzInfo::ProductName);
    b.String("Version", &TFuzzInfo::Version, &TFuzzInfo::Version);
    b.Integer("Build", &TFuzzInfo::Build, &TFuzzInfo::Build);
    b.Object("Details", &TFuzzInfo::GetDetails);
})

VTRL_IMPLEMENT_CLASS(TFuzzItem, TComponent, [](TClassBuilder<TFuzzItem>& b) {
    b.String("Caption", &TFuzzItem::Caption, &TFuzzItem::SetCaption);
    b.Integer("Order", &TFuzzItem::Order, &TFuzzItem::SetOrder, 0);
    b.Integer("Size", &TFuzzItem::Size, &TFuzzItem::Size);
    b.String("GroupName", &TFuzzItem::GroupName, &TFuzzItem::GroupName);
    b.String("DestDir", &TFuzzItem::DestDir, &TFuzzItem::DestDir);
    b.String("IncludeFromDir", &TFuzzItem::IncludeFromDir, &TFuzzItem::IncludeFromDir);
    b.String("FileName", &TFuzzItem::FileName, &TFuzzItem::FileName);
    b.String("DestName", &TFuzzItem::DestName, &TFuzzItem::DestName);
    b.String("ArchiveFile", &TFuzzItem::ArchiveFile, &TFuzzItem::ArchiveFile);
    b.String("Hint", &TFuzzItem::Hint, &TFuzzItem::Hint, true);
    b.template Enum<TFuzzDirType>("DestDirType", &TFuzzItem::DestDirType, &TFuzzItem::DestDirType, ddAbsolute);
    b.template Enum<TFuzzDirType>("ArchiveFileType", &TFuzzItem::ArchiveFileType, &TFuzzItem::ArchiveFileType);
    b.template Enum<TFuzzOverwrite>("OverwriteMode", &TFuzzItem::OverwriteMode, &TFuzzItem::OverwriteMode, owAlways);
    b.template Set<TFuzzInstallType>("InstallTypes", &TFuzzItem::InstallTypes, &TFuzzItem::InstallTypes,
                                     TSet<TFuzzInstallType>{itAlways});
    b.Boolean("AllowChoice", &TFuzzItem::AllowChoice, &TFuzzItem::AllowChoice, true);
    b.Boolean("Include", &TFuzzItem::Include, &TFuzzItem::Include, true);
    b.Boolean("UseLoadingProgram", &TFuzzItem::UseLoadingProgram, &TFuzzItem::UseLoadingProgram);
    b.Float("Ratio", &TFuzzItem::Ratio, &TFuzzItem::Ratio);
    b.template Reference<TFuzzItem>("Container", &TFuzzItem::Container, &TFuzzItem::Container);
    b.template Reference<TComponent>("Link", &TFuzzItem::Link, &TFuzzItem::Link);
    b.Strings("Description", &TFuzzItem::Description, &TFuzzItem::Description);
    b.Strings("PresetupFiles", &TFuzzItem::PresetupFiles, &TFuzzItem::PresetupFiles);
    b.Object("Information", &TFuzzItem::GetInformation);
    b.Event("OnCleanup", &TFuzzItem::OnCleanup);
    b.Event("OnCount", &TFuzzItem::OnCount);
})

VTRL_IMPLEMENT_CLASS(TInstall, TFuzzItem, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TInstallFileGroup, TFuzzItem, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TInstallFile, TFuzzItem, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TUninstallEXE, TInstallFile, [](auto&) {})

VTRL_IMPLEMENT_CLASS(TIM, TComponent, [](TClassBuilder<TIM>& b) {
    b.String("Title", &TIM::Title, &TIM::Title);
    b.template Reference<TFuzzItem>("MainItem", &TIM::MainItem, &TIM::MainItem);
    b.template Reference<TComponent>("Link", &TIM::Link, &TIM::Link);
    b.Event("OnStart", &TIM::OnStart);
})

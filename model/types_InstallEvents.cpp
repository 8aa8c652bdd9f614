// Class information of the event parameter objects, event names, and the
// running installation the components ask.
#include "types_InstallEvents.h"

#include "SysUtils.h"
#include "TypInfo.h"
#include "constants_InstallEvents.h"
#include "types_Installation.h"

namespace vtrl {

namespace {
IInstallation* gInstallation = nullptr;
}  // namespace

IInstallation* Installation() { return gInstallation; }
void SetInstallation(IInstallation* Value) { gInstallation = Value; }
bool RestartNeeded = false;

bool TEventName::operator==(const TEventName& Other) const { return SameText(Text(), Other.Text()); }

VTRL_IMPLEMENT_CLASS(TFileStatusParameter, TPersistent, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TDiskParameter, TPersistent, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TParameterList, TPersistent, [](auto&) {})

}  // namespace vtrl

// Class information of the event parameter objects.
#include "types_InstallEvents.h"

#include "TypInfo.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TFileStatusParameter, TPersistent, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TDiskParameter, TPersistent, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TParameterList, TPersistent, [](auto&) {})

}  // namespace vtrl

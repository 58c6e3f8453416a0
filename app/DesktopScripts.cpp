#include "app/DesktopScripts.h"

#include "framework/desktop/ScriptService.h"
#include "framework/runtime/Yield.h"

namespace {

enum : int32_t { kGetDesktopPicture = 168, kGetDesktopName = 169, kSetAnyDesktopPicture = 170 };
constexpr int32_t kVarTypeInteger = 2;

ScriptCallPtr startCall(int32_t script, const std::vector<Variant>& params) {
    const ScriptCallPtr call = _StartParamScript(script);
    for (const Variant& param : params) {
        if (param.VarType() == kVarTypeInteger)
            _AddIntegerScriptParam(call, param.ToInt32());
        else
            _AddStringScriptParam(call, param.ToString());
        Yield();
    }
    return call;
}

QString runFunction(int32_t script, const std::vector<Variant>& params) {
    if (params.empty()) return _ScriptFunction(script);
    return _CompleteParamScriptFunction(startCall(script, params));
}

}  // namespace

QString GetDesktopPicture(const std::vector<Variant>& params) { return runFunction(kGetDesktopPicture, params); }

QString GetDesktopName(const std::vector<Variant>& params) { return runFunction(kGetDesktopName, params); }

void SetAnyDesktopPicture(const std::vector<Variant>& params) {
    if (params.empty()) {
        _ScriptExecute(kSetAnyDesktopPicture);
        return;
    }
    _CompleteParamScriptExecute(startCall(kSetAnyDesktopPicture, params));
}

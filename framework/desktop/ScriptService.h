#pragma once
// The script service: runs the application's compiled scripts, resources of
// type "scpt" in its ResourceFork, by number.
//
// A script is one line of text naming a service operation and its arguments:
//   desktop.get-picture $1
// where $n is the n-th parameter of the call (from 1) and any other word is a
// literal. Blank lines and lines starting with "#" are ignored. Parameters
// are handed to the operation as typed values, never pasted into any command
// line. Operations:
//   desktop.get-picture SCREEN        -> the screen's picture path
//   desktop.get-name SCREEN           -> the screen's name
//   desktop.set-picture SCREEN PATH   -> sets the screen's picture
// A missing SCREEN is the main screen (1); a missing PATH is "". A missing
// script, an unknown operation or an unusable argument runs nothing and
// answers "".
#include <QString>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

// One call of a script with parameters, built up one parameter at a time.
struct ScriptCall {
    using Value = std::variant<int32_t, QString>;
    int32_t resource = 0;
    std::vector<Value> params;
};
using ScriptCallPtr = std::shared_ptr<ScriptCall>;

QString _ScriptFunction(int32_t resource);
void _ScriptExecute(int32_t resource);
ScriptCallPtr _StartParamScript(int32_t resource);
void _AddIntegerScriptParam(const ScriptCallPtr& call, int32_t value);
void _AddStringScriptParam(const ScriptCallPtr& call, const QString& value);
QString _CompleteParamScriptFunction(const ScriptCallPtr& call);
void _CompleteParamScriptExecute(const ScriptCallPtr& call);

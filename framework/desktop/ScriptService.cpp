#include "framework/desktop/ScriptService.h"

#include <QRegularExpression>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

#include "framework/desktop/DesktopService.h"
#include "framework/desktop/ResourceFork.h"

namespace {

using Value = ScriptCall::Value;
// An argument as the operation sees it: absent, or a typed value.
using Argument = std::optional<Value>;
using Operation = std::function<QString(const std::vector<Argument>&)>;

std::optional<int32_t> screenArgument(const std::vector<Argument>& args, size_t index) {
    if (index >= args.size() || !args[index]) return 1;
    if (auto i = std::get_if<int32_t>(&*args[index])) return *i;
    bool ok = false;
    const int32_t n = std::get<QString>(*args[index]).trimmed().toInt(&ok);
    return ok ? std::optional<int32_t>(n) : std::nullopt;
}

QString stringArgument(const std::vector<Argument>& args, size_t index) {
    if (index >= args.size() || !args[index]) return QString();
    if (auto i = std::get_if<int32_t>(&*args[index])) return QString::number(*i);
    return std::get<QString>(*args[index]);
}

const std::map<QString, Operation>& operations() {
    static const std::map<QString, Operation> table = {
        {QStringLiteral("desktop.get-picture"),
         [](const std::vector<Argument>& a) {
             const auto screen = screenArgument(a, 0);
             return screen ? DesktopService::picture(*screen) : QString();
         }},
        {QStringLiteral("desktop.get-name"),
         [](const std::vector<Argument>& a) {
             const auto screen = screenArgument(a, 0);
             return screen ? DesktopService::screenName(*screen) : QString();
         }},
        {QStringLiteral("desktop.set-picture"),
         [](const std::vector<Argument>& a) {
             // The script answers nothing either way; the service reports a refusal itself.
             if (const auto screen = screenArgument(a, 0)) DesktopService::setPicture(*screen, stringArgument(a, 1));
             return QString();
         }},
    };
    return table;
}

// The script's command line, split into words; empty when there is none.
QStringList commandOf(int32_t resource) {
    const ResourceForkPtr fork = ApplicationResourceFork();
    if (!fork) return {};
    const auto text = fork->GetResource(QStringLiteral("scpt"), resource);
    if (!text) return {};
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& line : QString::fromUtf8(*text).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) continue;
        return trimmed.split(blanks, Qt::SkipEmptyParts);
    }
    return {};
}

QString run(int32_t resource, const std::vector<Value>& params) {
    const QStringList words = commandOf(resource);
    if (words.isEmpty()) return QString();
    const auto op = operations().find(words.front());
    if (op == operations().end()) return QString();
    static const QRegularExpression reference(QStringLiteral("^\\$([1-9][0-9]{0,3})$"));
    std::vector<Argument> args;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const auto m = reference.match(words[i]);
        if (!m.hasMatch()) {
            args.emplace_back(Value(words[i]));
            continue;
        }
        const size_t n = m.captured(1).toUInt();
        args.push_back(n <= params.size() ? Argument(params[n - 1]) : std::nullopt);
    }
    return op->second(args);
}

}  // namespace

QString _ScriptFunction(int32_t resource) { return run(resource, {}); }

void _ScriptExecute(int32_t resource) { run(resource, {}); }

ScriptCallPtr _StartParamScript(int32_t resource) {
    auto call = std::make_shared<ScriptCall>();
    call->resource = resource;
    return call;
}

void _AddIntegerScriptParam(const ScriptCallPtr& call, int32_t value) {
    if (call) call->params.emplace_back(value);
}

void _AddStringScriptParam(const ScriptCallPtr& call, const QString& value) {
    if (call) call->params.emplace_back(value);
}

QString _CompleteParamScriptFunction(const ScriptCallPtr& call) {
    return call ? run(call->resource, call->params) : QString();
}

void _CompleteParamScriptExecute(const ScriptCallPtr& call) {
    if (call) run(call->resource, call->params);
}

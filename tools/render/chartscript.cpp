#include "chartscript.h"

#include "scriptvalue.h"

#include "drawingsurface.h"
#include "plotvane.h"
#include "plotvanedispatch.h"
#include "propertybag.h"
#include "typelibrary.h"

#include "platform/messageboxes.h"
#include "platform/runtimeerror.h"

#include <QJsonDocument>

namespace plotvane_render {

using platform::InvokeKind;
using platform::Variant;

namespace {

// Errors that the dispatch layer reports without a source of its own are the caller's.
const QString CallerSource = QStringLiteral("plotvane-render");

// Message boxes answer OK at once; their text goes into the log.
class LoggedMessageBoxes : public platform::MessageBoxes
{
public:
    explicit LoggedMessageBoxes(QStringList* log)
        : m_log(log)
    {
    }
    int MsgBox(const QString& prompt, int, const QString&) override
    {
        if (m_log)
            m_log->append(QStringLiteral("message \"%1\"").arg(prompt));
        return platform::MsgBoxResult::OK;
    }
    void closeOpenBoxes() override { }

private:
    QStringList* m_log;
};

} // namespace

struct CallContext
{
    plotvane::PlotvaneDispatch& dispatch;
    QStringList* log;
};

std::optional<ChartScript> ChartScript::parse(const QByteArray& json, QString& error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                             : QStringLiteral("the script is not a JSON object");
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    ChartScript script;
    script.m_size = QSizeF(root.value(QStringLiteral("width")).toDouble(7200),
                           root.value(QStringLiteral("height")).toDouble(4800));
    if (!(script.m_size.width() > 0 && script.m_size.height() > 0)) {
        error = QStringLiteral("width and height must be positive");
        return std::nullopt;
    }
    if (root.contains(QStringLiteral("properties")))
        script.m_properties = root.value(QStringLiteral("properties")).toObject();
    script.m_calls = root.value(QStringLiteral("calls")).toArray();
    return script;
}

void ChartScript::run(plotvane::DrawingSurface& surface, QStringList* log) const
{
    LoggedMessageBoxes messages(log);
    plotvane::Plotvane control(surface, messages, nullptr);
    plotvane::PlotvaneDispatch dispatch(control);
    const auto logError = [log](const platform::RuntimeError& e) {
        if (log)
            log->append(QStringLiteral("error %1 %2 \"%3\"")
                            .arg(QString::number(e.number()), e.source().isEmpty() ? CallerSource : e.source(),
                                 e.description()));
    };
    try {
        if (m_properties) {
            plotvane::PropertyBag bag;
            for (auto it = m_properties->begin(); it != m_properties->end(); ++it)
                bag.set(it.key(), variantFromJson(it.value()));
            control.ReadProperties(bag);
        } else {
            control.InitNew();
        }
    } catch (const platform::RuntimeError& e) {
        logError(e);
    }
    CallContext context{ dispatch, log };
    for (const QJsonValue& call : m_calls) {
        try {
            runCall(context, call.toObject());
        } catch (const platform::RuntimeError& e) {
            logError(e);
        }
    }
}

void ChartScript::runCall(CallContext& context, const QJsonObject& call) const
{
    static const QString kinds[]
        = { QStringLiteral("put"), QStringLiteral("putref"), QStringLiteral("get"), QStringLiteral("call") };
    static const InvokeKind invokeKinds[]
        = { InvokeKind::PropertyPut, InvokeKind::PropertyPutRef, InvokeKind::PropertyGet, InvokeKind::Method };
    for (std::size_t k = 0; k < std::size(kinds); ++k) {
        if (!call.contains(kinds[k]))
            continue;
        int dispid = 0;
        QString name = call.value(kinds[k]).toString();
        // {"get": null, "dispid": N} names the member by its identifier.
        if (call.contains(QStringLiteral("dispid"))) {
            dispid = call.value(QStringLiteral("dispid")).toInt();
        } else if (context.dispatch.GetIDsOfNames(name, dispid) != platform::DispatchStatus::Ok) {
            throw platform::RuntimeError(platform::ErrorNumber::ObjectDoesNotSupportMember);
        }
        if (const auto* member = plotvane::TypeLibrary::member(dispid))
            name = QString::fromLatin1(member->name);
        std::vector<Variant> arguments;
        if (call.contains(QStringLiteral("value")))
            arguments.push_back(variantFromJson(call.value(QStringLiteral("value"))));
        for (const QJsonValue& argument : call.value(QStringLiteral("args")).toArray())
            arguments.push_back(variantFromJson(argument));
        const Variant result = platform::invoke(context.dispatch, dispid, invokeKinds[k], std::move(arguments));
        if (invokeKinds[k] == InvokeKind::PropertyGet && context.log)
            context.log->append(QStringLiteral("get %1 = %2").arg(name, describeVariant(result)));
        return;
    }
    throw platform::RuntimeError(platform::ErrorNumber::InvalidProcedureCall);
}

} // namespace plotvane_render

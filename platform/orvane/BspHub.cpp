// Delivery of variable and object changes to their subscribers.
#include "BspHub.h"

#include "CpVariables.h"

#include "kernel/Text.h"


BspHub& BspHub::instance()
{
    static BspHub hub;
    return hub;
}

BspHub::BspHub()
{
    CpVariables::instance().addObserver(
        [this](const std::string& name) { deliver(CBspSubjectDesc::variableChange(name)); });
}

SHORT BspHub::subscribe(const CBspSubjectDesc& subject, Receiver receiver, SubscriptionId* id)
{
    if (subject.subjectClass() == BSP_SUBJ_NONE)
        return BSP_ERR_EMPTY;
    if (subject.subjectClass() == BSP_SUBJ_CPVAR && !CpVariables::instance().exists(subject.variableName()))
        return BSP_ERR_NO_VARIABLE;
    const SubscriptionId added = m_subscriptions.add({subject, std::move(receiver)});
    if (id)
        *id = added;
    return BSP_OK;
}

void BspHub::unsubscribe(SubscriptionId id)
{
    m_subscriptions.remove(id);
}

void BspHub::announceObjectChange(std::wstring_view objectName, WORD code)
{
    deliver(CBspSubjectDesc::objectChange(objectName, code));
}

namespace {

bool concerns(const CBspSubjectDesc& subject, const CBspSubjectDesc& change)
{
    if (subject.subjectClass() != change.subjectClass())
        return false;
    if (change.subjectClass() == BSP_SUBJ_CPVAR)
        return EqualsNoCase(subject.variableName(), change.variableName());
    return EqualsNoCase(subject.objectName(), change.objectName()) && subject.objectCode() == change.objectCode();
}

} // namespace

void BspHub::deliver(const CBspSubjectDesc& change)
{
    m_subscriptions.notify([&](const Subscription& subscription) { return concerns(subscription.subject, change); },
                           [&](const Subscription& subscription) { subscription.receiver(change); });
}

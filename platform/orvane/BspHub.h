// The hotlink hub: subscriptions to host variables and host objects, and the delivery of their
// changes. Variable changes come from CpVariables; the host announces object changes (object
// "GUI", code 1, after it left a message in the register "GUI").
#pragma once

#include "CBspSubjectDesc.h"
#include "ObserverList.h"

#include <functional>

class BspHub {
public:
    using Receiver = std::function<void(const CBspSubjectDesc& change)>;
    using SubscriptionId = std::uint64_t;

    static BspHub& instance();

    // 0 and the subscription's id; BSP_ERR_NO_VARIABLE when the variable does not exist,
    // BSP_ERR_EMPTY for a descriptor that names nothing. Every change of the variable (names
    // without regard to case), or of the object with that code, reaches the receiver at once,
    // with change type 5 and the name as the change spelled it.
    SHORT subscribe(const CBspSubjectDesc& subject, Receiver receiver, SubscriptionId* id);
    void unsubscribe(SubscriptionId id);
    void announceObjectChange(std::wstring_view objectName, WORD code);
    std::size_t subscriptionCount() const { return m_subscriptions.size(); }
    void clear() { m_subscriptions.clear(); }

private:
    BspHub();
    struct Subscription {
        CBspSubjectDesc subject;
        Receiver receiver;
    };
    ObserverList<Subscription> m_subscriptions;

    void deliver(const CBspSubjectDesc& change);
};

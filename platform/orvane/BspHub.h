// The hotlink hub: subscriptions to host variables and host objects, and the delivery of their
// changes. Variable changes come from CpVariables; the host announces object changes (object
// "GUI", code 1, after it left a message in the register "GUI").
#pragma once

#include "CBspSubjectDesc.h"

#include <cstdint>
#include <functional>
#include <vector>

class BspHub {
public:
    using SubscriptionId = std::uint64_t;
    using Receiver = std::function<void(const CBspSubjectDesc& change)>;

    static BspHub& instance();

    // 0 and the subscription's id; BSP_ERR_NO_VARIABLE when the variable does not exist,
    // BSP_ERR_EMPTY for a descriptor that names nothing. Every change of the variable, or of the
    // object with that code, reaches the receiver at once, with change type 5.
    SHORT subscribe(const CBspSubjectDesc& subject, Receiver receiver, SubscriptionId* id);
    void unsubscribe(SubscriptionId id);
    void announceObjectChange(std::wstring_view objectName, WORD code);
    std::size_t subscriptionCount() const { return m_subscriptions.size(); }

private:
    BspHub();
    struct Subscription {
        SubscriptionId id;
        CBspSubjectDesc subject;
        Receiver receiver;
    };
    std::vector<Subscription> m_subscriptions;
    SubscriptionId m_nextId = 1;

    void deliver(const CBspSubjectDesc& change);
};

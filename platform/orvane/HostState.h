// Starts the host's framework libraries afresh: a new host, or a test's clean slate.
#pragma once

// Forgets host variables, queued command lines, registers, hotlink subscriptions, user macros and
// registered commands (the built-in ones come back), host handles and recorded help requests.
// Observers of variable changes stay.
void ResetOrvaneState();

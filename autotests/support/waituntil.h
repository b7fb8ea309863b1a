#pragma once

#include <functional>

// Runs the event loop until done() holds or timeoutMs has passed; returns
// done(). Unlike QTest::qWaitFor it never sleeps, so transactions with a
// simulated tester go on at the speed of the link (what benchmarks time).
bool waitUntil(const std::function<bool()> &done, int timeoutMs = 5000);

// A replaceable system query (a function pointer the plug-in calls), or
// any variable, set to a test's fake for one scope: put back when the scope
// ends, also when an assertion ends the test early, so no later test meets
// the fake.
#pragma once

template <typename T> class ScopedReplace {
public:
    ScopedReplace(T& slot, T fake) : slot(slot), saved(slot) { slot = fake; }
    ~ScopedReplace() { slot = saved; }
    ScopedReplace(const ScopedReplace&) = delete;
    ScopedReplace& operator=(const ScopedReplace&) = delete;

private:
    T& slot;
    const T saved;
};

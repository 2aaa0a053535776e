#pragma once

// Sets a flag for one scope and puts back what it was, so that a nested scope cannot clear the
// flag under the one that is still running.
class FlagScope
{
public:
    explicit FlagScope(bool& guarded) : flag(guarded), previous(guarded) { guarded = true; }
    ~FlagScope() { flag = previous; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag;
    bool previous;
};

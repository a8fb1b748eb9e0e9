#include "answerers.h"

void Answerers::set(Address address, Answer answer) {
    if (answer)
        answers[address] = answer;
    else
        answers.erase(address);
}

void Answerers::remove(Address address) { answers.erase(address); }

bool Answerers::has(Address address) const { return answers.count(address) != 0; }

bool Answerers::ask(Address address, HostMessage* message, int* result) const {
    auto it = answers.find(address);
    if (it == answers.end()) return false;
    // A copy: the answer may replace or remove itself while it runs.
    Answer answer = it->second;
    *result = answer(message);
    return true;
}

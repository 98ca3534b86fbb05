// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether an add operation may replace result files that exist already.
// The question "File ... already exist, overwrite it?" is asked per file
// until the user answers "Yes to All" or "No to All"; that answer then holds
// for the rest of the operation (one Add command, one drop, one folder).
class ReplaceRule {
public:
    enum class Answer { Yes, No, YesToAll, NoToAll };

    // True while the question still has to be asked.
    bool Asks() const { return m_rule == Rule::Ask; }
    // Takes the user's answer; true when this file may be replaced.
    bool Take(Answer answer)
    {
        if (answer == Answer::YesToAll)
            m_rule = Rule::ReplaceAll;
        else if (answer == Answer::NoToAll)
            m_rule = Rule::KeepAll;
        return answer == Answer::Yes || answer == Answer::YesToAll;
    }
    // Once the question is no longer asked: the standing answer.
    bool ReplacesAll() const { return m_rule == Rule::ReplaceAll; }
    bool KeepsAll() const { return m_rule == Rule::KeepAll; }

private:
    enum class Rule { Ask, ReplaceAll, KeepAll };
    Rule m_rule = Rule::Ask;
};

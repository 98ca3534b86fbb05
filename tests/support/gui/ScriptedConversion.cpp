// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedConversion.h"

#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"
#include "convert/JobProgress.h"

#include <chrono>
#include <thread>

JobThreads::ConversionRoutine ScriptedConversion::Routine()
{
    return [this](ConversionHost& host, const JobSpec& job, const std::atomic<int>& control) {
        return Convert(host, job, control);
    };
}

void ScriptedConversion::SetResult(const std::string& source, ConversionOutcome::Kind result)
{
    std::lock_guard lock(m_mutex);
    m_results.emplace_back(source, result);
}

void ScriptedConversion::Hold(const std::string& source)
{
    std::lock_guard lock(m_mutex);
    m_held.insert(source);
}

void ScriptedConversion::Release(const std::string& source)
{
    std::lock_guard lock(m_mutex);
    m_held.erase(source);
}

std::vector<ScriptedConversion::Call> ScriptedConversion::Calls() const
{
    std::lock_guard lock(m_mutex);
    return m_calls;
}

std::size_t ScriptedConversion::CallCount() const
{
    std::lock_guard lock(m_mutex);
    return m_calls.size();
}

std::vector<int> ScriptedConversion::EndControls() const
{
    std::lock_guard lock(m_mutex);
    return m_endControls;
}

bool ScriptedConversion::IsIn(const std::set<std::string>& set, const std::string& source) const
{
    std::lock_guard lock(m_mutex);
    return set.count(source) != 0;
}

ConversionOutcome ScriptedConversion::Convert(ConversionHost& host, const JobSpec& job, const std::atomic<int>& control)
{
    const int running = ++m_running;
    for (int seen = m_maxConcurrent; running > seen && !m_maxConcurrent.compare_exchange_weak(seen, running);) { }
    const Call call{job.source, job.result, job.settings};
    {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(call);
    }
    while (IsIn(m_held, call.source) && control == JobControl::Run) {
        host.progress.SetStatus(kProgress);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    using Kind = ConversionOutcome::Kind;
    Kind result = Kind::Converted;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [source, value] : m_results)
            if (source == call.source)
                result = value;
        m_endControls.push_back(control);
    }
    if (control == JobControl::Restart)
        result = Kind::RestartRequested;
    else if (control == JobControl::Stop)
        result = Kind::Stopped;
    --m_running;
    return ConversionOutcome::Of(result, result == Kind::Failed ? "scripted failure" : "");
}

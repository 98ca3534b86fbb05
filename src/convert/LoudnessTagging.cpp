// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/LoudnessTagging.h"

LoudnessTagging::LoudnessTagging(LoudnessTags tags, int sampleRate, int channels)
    : m_tags(tags), m_meter(std::make_shared<LoudnessMeter>(sampleRate, channels))
{
}

const std::vector<std::uint8_t>& LoudnessTagging::BeginTag(const std::uint8_t* carried, std::size_t length)
{
    m_hasCarried = carried != nullptr && length > 0;
    if (m_hasCarried)
        m_carried.assign(carried, carried + length);
    m_reserved = ReplayGainTag::Reserve(m_hasCarried ? m_carried.data() : nullptr, m_carried.size(),
                                        m_tags == LoudnessTags::Album);
    return m_reserved;
}

std::vector<std::uint8_t> LoudnessTagging::FinalTag(const ReplayGainTag::Values& values) const
{
    return ReplayGainTag::Compose(m_hasCarried ? m_carried.data() : nullptr, m_carried.size(), values,
                                  m_reserved.size());
}

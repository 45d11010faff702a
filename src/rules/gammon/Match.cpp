#include "rules/gammon/Match.h"

namespace rules::gammon {

void TMatchScore::Start(int length) {
    m_length = length < 1 ? 1 : length;
    m_points[0] = m_points[1] = 0;
}

std::optional<TColour> TMatchScore::Winner() const {
    if (m_points[0] >= m_length) return TColour::White;
    if (m_points[1] >= m_length) return TColour::Black;
    return std::nullopt;
}

void TCube::StartTable() {
    m_crawfordPassed = false;
    m_value = 1;
    m_owner.reset();
    m_allowed = true;
}

void TCube::StartGame(const TMatchScore& score) {
    m_value = 1;
    m_owner.reset();
    m_allowed = true;
    bool someoneAtMatchPoint = score.Points(TColour::White) == score.Length() - 1 ||
                               score.Points(TColour::Black) == score.Length() - 1;
    if (someoneAtMatchPoint && !m_crawfordPassed) {
        m_allowed = false;
        m_crawfordPassed = true;
    }
}

int TCube::FaceIndex() const {
    int index = 0;
    for (int value = m_value; value > 1; value /= 2) ++index;
    return index;
}

bool TCube::CanDouble(TColour colour, const TMatchScore& score) const {
    if (m_owner && *m_owner != colour) return false;
    if (!m_allowed || m_value >= kMaxValue) return false;
    return score.Points(colour) + m_value < score.Length();
}

void TCube::Accept(TColour accepter) {
    if (m_value < kMaxValue) m_value *= 2;
    m_owner = accepter;
}

}  // namespace rules::gammon

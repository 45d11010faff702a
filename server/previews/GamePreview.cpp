#include "previews/GamePreview.h"

#include <algorithm>

#include "tables/TableRegistry.h"

namespace server {

std::vector<GamePreview::TWatcher>::iterator GamePreview::Find(const std::string& alias, int slot) {
    return std::find_if(m_watchers.begin(), m_watchers.end(),
                        [&](const TWatcher& w) { return w.slot == slot && SameAlias(w.alias, alias); });
}

bool GamePreview::Watches(const std::string& alias, int slot) const {
    return std::any_of(m_watchers.begin(), m_watchers.end(),
                       [&](const TWatcher& w) { return w.slot == slot && SameAlias(w.alias, alias); });
}

void GamePreview::Watch(const std::string& alias, int slot) {
    if (!IsSlot(slot)) return;
    if (Find(alias, slot) == m_watchers.end()) m_watchers.push_back({alias, slot});
    std::string snapshot = protocol::Build(Snapshot());
    snapshot[kSnapshotSlotByte] = static_cast<char>(slot);
    m_outlet.ToWatcher(alias, snapshot);
}

void GamePreview::Release(const std::string& alias, int slot) {
    auto it = Find(alias, slot);
    if (it == m_watchers.end()) return;
    m_watchers.erase(it);
    m_outlet.ToWatcher(alias, protocol::Build(protocol::TPreviewStop{slot}));
}

void GamePreview::Forget(const std::string& alias) {
    std::erase_if(m_watchers, [&](const TWatcher& w) { return SameAlias(w.alias, alias); });
}

void GamePreview::End(int winnerSeat) {
    Broadcast(protocol::Build(protocol::TPreviewEnd{0, winnerSeat + 1}));
    m_watchers.clear();
}

protocol::TPreviewState GamePreview::Snapshot() const {
    return protocol::TPreviewState{rules::KindNumber(m_kind), 0, State()};
}

void GamePreview::Restarted() {
    if (Watched()) Broadcast(protocol::Build(Snapshot()), kSnapshotSlotByte);
}

void GamePreview::Broadcast(std::string message, size_t slotAt) {
    if (message.size() <= slotAt) return;
    for (const TWatcher& w : m_watchers) {
        message[slotAt] = static_cast<char>(w.slot);
        m_outlet.ToWatcher(w.alias, message);
    }
}

}  // namespace server

#include "graphics/Mygfx.h"

#include <algorithm>

#include "graphics/Paint.h"

TMygfx::TMygfx(TMygfx* parent)
    : m_paint(parent ? parent->m_paint : nullptr), m_parent(parent) {}

TMygfx::TMygfx(TRootTag, TPaint* paint) : m_paint(paint), m_parent(nullptr) {}

TMygfx::~TMygfx() {
    // The root's paint surface is being torn down around it: tell it nothing.
    if (static_cast<TMygfx*>(m_paint) == this) m_paint = nullptr;
    // Children that are still shown forget this list; they cannot be told
    // virtually any more, so their own state is left to their owner.
    while (!m_children.empty()) {
        TMygfx* child = m_children.back();
        RemoveChild(child);
    }
    LeaveParent();
    if (m_paint) m_paint->NodeGone(this);
}

void TMygfx::Show() {
    if (m_shown || !m_parent) return;
    m_parent->InsertChild(this);
}

void TMygfx::Hide() {
    DetachChildren();
    if (LeaveParent() && m_paint) m_paint->Redraw(m_parent, m_bounds);
}

void TMygfx::Detach() {
    DetachChildren();
    LeaveParent();
}

void TMygfx::Draw(const TRect&) {}

void TMygfx::DetachChildren() {
    while (!m_children.empty()) {
        TMygfx* child = m_children.back();
        child->Detach();
        // A child whose Detach kept it listed (it thought itself hidden)
        // still has to go, or this loop would never end.
        if (!m_children.empty() && m_children.back() == child) RemoveChild(child);
    }
}

bool TMygfx::LeaveParent() {
    if (!m_shown || !m_parent) return false;
    m_parent->RemoveChild(this);
    return true;
}

void TMygfx::InsertChild(TMygfx* child) {
    // After the last child of the same or a lower layer.
    size_t position = m_children.size();
    while (position > 0 && m_children[position - 1]->m_layer > child->m_layer) --position;
    m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(position), child);
    child->m_shown = true;
    if (m_paint) m_paint->ChildInserted(this, static_cast<int>(position));
}

void TMygfx::RemoveChild(TMygfx* child) {
    auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end()) return;
    int position = static_cast<int>(it - m_children.begin());
    m_children.erase(it);
    child->m_shown = false;
    if (m_paint) m_paint->ChildRemoved(this, position);
}

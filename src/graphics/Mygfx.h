// TMygfx: the base of everything drawn on a window's paint surface, and a
// node of the window's tree of drawn objects. The root of the tree is the
// window's TPaint.
//
// A node is Hidden (not in its parent's children) or Shown (in them). The
// children are kept in ascending layer order and drawn in that order, so a
// higher layer lies on top; Show puts a node after the last sibling of the
// same or a lower layer, so among equal layers the newest is on top.
//
// Drawing is immediate: the operations draw into the back buffer at once and
// mark the changed window area for the next paint. Hide detaches the node's
// own children and redraws its parent's subtree in the uncovered area only;
// Detach does the same without the redraw, for a caller that draws over the
// area at once.
//
// Lifetime: each node is created and freed by its owner. A node that is
// freed leaves its parent's children without a redraw (hide it first to
// repaint the area), and its shown children leave its list; children must
// not outlive their parent.
#pragma once

#include <vector>

#include "platform/Platform.h"

class TPaint;

using TRect = platform::Rect;

class TMygfx {
public:
    // A node on the parent's paint surface, hidden, with empty bounds.
    explicit TMygfx(TMygfx* parent);
    virtual ~TMygfx();
    TMygfx(const TMygfx&) = delete;
    TMygfx& operator=(const TMygfx&) = delete;

    // Enters the parent's children at its layer's place (nothing when shown).
    virtual void Show();
    // Detaches every own child, leaves the parent's children and redraws the
    // parent's subtree within this node's bounds.
    virtual void Hide();
    // Like Hide, without the redraw.
    virtual void Detach();
    // Draws this node's content for the part of the rectangle it covers into
    // the back buffer and marks that area; a plain node has none.
    virtual void Draw(const TRect& rect);

    TPaint* Paint() const { return m_paint; }
    TMygfx* Parent() const { return m_parent; }
    const TRect& Bounds() const { return m_bounds; }
    const std::vector<TMygfx*>& Children() const { return m_children; }
    bool Shown() const { return m_shown; }
    int Layer() const { return m_layer; }
    // Takes effect at the next Show.
    void SetLayer(int layer) { m_layer = layer; }

protected:
    // The root of a tree: a paint surface is its own paint and has no parent.
    struct TRootTag {};
    TMygfx(TRootTag, TPaint* paint);

    void SetBounds(const TRect& bounds) { m_bounds = bounds; }
    // Calls Detach on every own child until none is left.
    void DetachChildren();

private:
    // Leaves the parent's children; false when this node was not shown.
    bool LeaveParent();
    void InsertChild(TMygfx* child);
    void RemoveChild(TMygfx* child);

    TPaint* m_paint;
    TMygfx* m_parent;
    TRect m_bounds;
    std::vector<TMygfx*> m_children;
    int m_layer = 0;
    bool m_shown = false;
};

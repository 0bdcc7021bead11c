#include "editor/KnownStretches.h"

#include <algorithm>
#include <numeric>

namespace vantrel {

void KnownStretches::knowWhole(std::int64_t length, std::int64_t bufferFrom)
{
    m_stretches.clear();
    add(0, {length, bufferFrom});
}

void KnownStretches::forget(std::int64_t length)
{
    m_stretches.clear();
    add(0, {length, Unknown});
}

std::int64_t KnownStretches::length() const
{
    return std::accumulate(m_stretches.begin(), m_stretches.end(), std::int64_t(0),
                           [](std::int64_t sum, const Stretch& s) { return sum + s.length; });
}

void KnownStretches::change(std::int64_t position, std::int64_t removed, std::int64_t added)
{
    if (position < 0 || removed < 0 || added < 0 || position + removed > length()) {
        forget(std::max<std::int64_t>(0, length() - removed + added));
        return;
    }
    const std::size_t first = cutAt(position);
    const std::size_t last = cutAt(position + removed);
    m_stretches.erase(m_stretches.begin() + std::ptrdiff_t(first),
                      m_stretches.begin() + std::ptrdiff_t(last));
    add(first, {added, Unknown});
}

std::size_t KnownStretches::cutAt(std::int64_t position)
{
    std::size_t index = 0;
    for (std::int64_t start = 0; index < m_stretches.size(); ++index) {
        Stretch& stretch = m_stretches[index];
        if (start == position)
            return index;
        if (position < start + stretch.length) {
            const std::int64_t head = position - start;
            Stretch tail{stretch.length - head,
                         stretch.bufferFrom == Unknown ? Unknown : stretch.bufferFrom + head};
            stretch.length = head;
            m_stretches.insert(m_stretches.begin() + std::ptrdiff_t(index) + 1, tail);
            return index + 1;
        }
        start += stretch.length;
    }
    return index;
}

// Inserts a stretch, joined to an unknown neighbour when it is unknown too, so that typing
// makes one unknown stretch rather than one per key. An empty unknown one still joins the
// unknown stretches on either side: a removal between them leaves one.
void KnownStretches::add(std::size_t at, Stretch stretch)
{
    const auto unknown = [this](std::size_t i) {
        return i < m_stretches.size() && m_stretches[i].bufferFrom == Unknown;
    };
    if (stretch.bufferFrom == Unknown && at > 0 && unknown(at - 1)) {
        m_stretches[at - 1].length += stretch.length;
        if (unknown(at)) {
            m_stretches[at - 1].length += m_stretches[at].length;
            m_stretches.erase(m_stretches.begin() + std::ptrdiff_t(at));
        }
        return;
    }
    if (stretch.bufferFrom == Unknown && unknown(at)) {
        m_stretches[at].length += stretch.length;
        return;
    }
    if (stretch.length > 0)
        m_stretches.insert(m_stretches.begin() + std::ptrdiff_t(at), stretch);
}

} // namespace vantrel

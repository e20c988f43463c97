// A fixed-capacity list of item records with a count and a current index,
// and the six operations every item editor goes through, so that limits,
// name rules and messages are the same everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "model/item_kinds.h"

namespace elix {

template <class T>
class CItemList {
public:
    explicit CItemList(const ItemKindTexts& texts) : m_texts(&texts), m_capacity(texts.capacity) {}

    const ItemKindTexts& Texts() const { return *m_texts; }
    std::int16_t Capacity() const { return m_capacity; }
    std::int16_t Count() const { return m_count; }
    std::int16_t Current() const { return m_current; }
    void SetCurrent(std::int16_t index) { m_current = index; }
    bool HasSlots() const { return !m_slots.empty(); }

    // Slot access for readers and the material editor; index < Capacity().
    T& Slot(int index) { CreateSlots(); return m_slots[static_cast<std::size_t>(index)]; }
    const T& operator[](int index) const { return m_slots[static_cast<std::size_t>(index)]; }
    T& operator[](int index) { return m_slots[static_cast<std::size_t>(index)]; }

    // Creates every slot with a default record, the first time the list is
    // needed.
    void CreateSlots() {
        if (m_slots.empty()) m_slots.assign(static_cast<std::size_t>(m_capacity), T{});
    }

    // Empties the list: count 0, current 0 and fresh default slots.
    void Reset() {
        m_slots.clear();
        CreateSlots();
        m_count = 0;
        m_current = 0;
    }

    // Count set by the model reader after filling slots directly.
    void SetCount(std::int16_t count) { m_count = count; }

    // Index of the first record with that name, or -1.
    int Find(const std::string& name) const {
        for (int k = 0; k < m_count; ++k)
            if (m_slots[static_cast<std::size_t>(k)].name == name) return k;
        return -1;
    }

    // Appends a copy of the record. The full list is reported before the
    // name checks.
    bool AddItem(const T& record, std::string& error) {
        CreateSlots();
        if (m_count >= m_capacity) return Fail(error, m_texts->fullList);
        if (record.name.empty()) return Fail(error, m_texts->emptyName);
        if (Find(record.name) >= 0) return Fail(error, m_texts->duplicateName);
        m_slots[static_cast<std::size_t>(m_count)] = record;
        ++m_count;
        m_current = static_cast<std::int16_t>(m_count - 1);
        return true;
    }

    // Removes the first record with that name; the following records move
    // one slot down. The current index keeps its value unless it now lies
    // past the end.
    bool DeleteItem(const std::string& name, std::string& error) {
        const int found = Find(name);
        if (found < 0) return Fail(error, m_texts->nameNotFound);
        for (int k = found; k + 1 < m_count; ++k)
            m_slots[static_cast<std::size_t>(k)] = m_slots[static_cast<std::size_t>(k + 1)];
        --m_count;
        if (m_current >= m_count) m_current = static_cast<std::int16_t>(m_count - 1);
        // The vacated slot is emptied; a later add starts from a default
        // record there (material slots are destroyed and made again).
        if (m_texts->destroysVacatedSlot) m_slots[static_cast<std::size_t>(m_count)] = T{};
        return true;
    }

    // Overwrites the current record. Receivers: a clashing output file name
    // is cleared in the given record, so the editor shows it blank (the
    // electrodes' output files carry no such rule).
    // Materials: the gray level moves to the edited record.
    bool ModifyCurrentItem(T& record, std::string& error) {
        if (m_count < 1 || m_current < 0 || m_current >= m_count) {
            error.clear();
            return false;
        }
        for (int k = 0; k < m_count; ++k)
            if (k != m_current && m_slots[static_cast<std::size_t>(k)].name == record.name)
                return Fail(error, m_texts->modifyDuplicateName);
        if constexpr (requires { record.outputFile; }) {
            if (m_texts->uniqueOutputFile && !record.outputFile.empty()) {
                for (int k = 0; k < m_count; ++k) {
                    if (k != m_current && m_slots[static_cast<std::size_t>(k)].outputFile == record.outputFile) {
                        record.outputFile.clear();
                        return Fail(error, "Receiver output file must have a unique file name or blank!");
                    }
                }
            }
        }
        if constexpr (requires { record.grayLevel; record.density; }) {
            for (int k = 0; k < m_count; ++k)
                if (m_slots[static_cast<std::size_t>(k)].grayLevel == record.grayLevel)
                    m_slots[static_cast<std::size_t>(k)].grayLevel = 255;
        }
        m_slots[static_cast<std::size_t>(m_current)] = record;
        return true;
    }

    bool SelectNextItem(std::string& error) {
        if (m_current >= m_count - 1) return Fail(error, m_texts->lastItem);
        ++m_current;
        return true;
    }

    bool SelectPreviousItem(std::string& error) {
        if (m_current < 1) return Fail(error, m_texts->firstItem);
        --m_current;
        return true;
    }

    // Copies the current record out. An empty list clears only the name of
    // the out record.
    bool GetCurrentItem(T& record) const {
        if (m_count > 0 && m_current >= 0 && m_current < m_count) {
            record = m_slots[static_cast<std::size_t>(m_current)];
            return true;
        }
        if (m_count == 0) record.name.clear();
        return false;
    }

private:
    static bool Fail(std::string& error, const char* text) {
        error = text;
        return false;
    }

    const ItemKindTexts* m_texts;
    std::int16_t m_capacity;
    std::int16_t m_count = 0;
    std::int16_t m_current = 0;
    std::vector<T> m_slots;
};

}  // namespace elix

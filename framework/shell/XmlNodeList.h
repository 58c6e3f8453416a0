#pragma once
// The nodes a query found, in document order.
#include <cstdint>
#include <memory>
#include <vector>

class XmlNode;
using XmlNodePtr = std::shared_ptr<XmlNode>;

class XmlNodeList {
public:
    explicit XmlNodeList(std::vector<XmlNodePtr> nodes) : nodes_(std::move(nodes)) {}
    int32_t Length() const { return int32_t(nodes_.size()); }
    // Items are numbered from 0; Nil outside 0..Length()-1.
    XmlNodePtr Item(int32_t index) const {
        return index >= 0 && index < Length() ? nodes_[size_t(index)] : nullptr;
    }

private:
    std::vector<XmlNodePtr> nodes_;
};

using XmlNodeListPtr = std::shared_ptr<XmlNodeList>;

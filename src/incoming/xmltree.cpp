#include "incoming/xmltree.h"

#include <QXmlStreamReader>

namespace incoming {

namespace {

// Builds the tree element by element; stops at the first thing it refuses.
class TreeBuilder {
  public:
    TreeBuilder(std::string_view bytes, XmlTree& tree)
        : reader_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))), tree_(tree) {
        // Entities are never expanded beyond the predefined ones: a document type is refused below.
        reader_.setNamespaceProcessing(true);
    }

    std::string build() {
        while (!reader_.atEnd()) {
            switch (reader_.readNext()) {
            case QXmlStreamReader::DTD:
                return "sie enth\xE4lt eine Dokumenttypdefinition (DTD), die nicht gelesen wird";
            case QXmlStreamReader::StartElement:
                tree_.rootNamespace = reader_.namespaceUri().toUtf8().toStdString();
                start(tree_.root);
                if (!readChildren(tree_.root, 1))
                    return refusal();
                return trailing();
            default:
                break;
            }
        }
        return reader_.hasError() ? refusal() : "sie enth\xE4lt kein XML-Element";
    }

  private:
    std::string_view intern(QStringView name) {
        return *tree_.names.insert(name.toUtf8().toStdString()).first;
    }

    void start(XmlNode& node) {
        ++elements_;
        node.name = intern(reader_.name());
        for (const QXmlStreamAttribute& a : reader_.attributes())
            node.attributes.emplace_back(intern(a.name()), a.value().toUtf8().toStdString());
    }

    // The content of node up to its end tag; false when reading stopped (reason in refusal()).
    bool readChildren(XmlNode& node, int depth) {
        while (!reader_.atEnd()) {
            switch (reader_.readNext()) {
            case QXmlStreamReader::StartElement:
                if (depth >= kMaxXmlDepth) {
                    ownReason_ = "sie ist tiefer als 64 Ebenen verschachtelt";
                    return false;
                }
                if (elements_ >= kMaxXmlElements) {
                    ownReason_ = "sie enth\xE4lt mehr als 2 000 000 XML-Elemente";
                    return false;
                }
                node.children.emplace_back();
                start(node.children.back());
                if (!readChildren(node.children.back(), depth + 1))
                    return false;
                break;
            case QXmlStreamReader::EndElement:
                return true;
            case QXmlStreamReader::Characters:
                node.text += reader_.text().toUtf8().toStdString();
                break;
            case QXmlStreamReader::DTD:
                ownReason_ = "sie enth\xE4lt eine Dokumenttypdefinition (DTD), die nicht gelesen wird";
                return false;
            default:
                break;
            }
        }
        return false;
    }

    // After the root element only comments, processing instructions and blanks may follow.
    std::string trailing() {
        while (!reader_.atEnd())
            reader_.readNext();
        return reader_.hasError() ? refusal() : std::string();
    }

    std::string refusal() const {
        if (!ownReason_.empty())
            return ownReason_;
        const std::string line = std::to_string(reader_.lineNumber());
        if (reader_.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            return "sie bricht mitten im XML ab (Zeile " + line + ")";
        return "sie ist kein wohlgeformtes XML (Zeile " + line + ")";
    }

    QXmlStreamReader reader_;
    XmlTree& tree_;
    std::size_t elements_ = 0;
    std::string ownReason_;
};

} // namespace

const XmlNode* XmlNode::child(std::string_view childName) const {
    for (const XmlNode& c : children) {
        if (c.name == childName)
            return &c;
    }
    return nullptr;
}

std::vector<const XmlNode*> XmlNode::all(std::string_view childName) const {
    std::vector<const XmlNode*> found;
    for (const XmlNode& c : children) {
        if (c.name == childName)
            found.push_back(&c);
    }
    return found;
}

std::string_view XmlNode::attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes) {
        if (key == attributeName)
            return value;
    }
    return {};
}

const XmlNode* descend(const XmlNode* node, std::initializer_list<std::string_view> path) {
    for (const std::string_view step : path) {
        if (!node)
            return nullptr;
        node = node->child(step);
    }
    return node;
}

XmlReading readXmlTree(std::string_view bytes) {
    XmlReading reading;
    reading.tree.emplace();
    reading.refusal = TreeBuilder(bytes, *reading.tree).build();
    if (!reading.refusal.empty())
        reading.tree.reset();
    return reading;
}

} // namespace incoming

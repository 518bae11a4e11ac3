// The reading half of the XML configuration: fresh parameters, owned by the
// registry, built from the elements of a "config" document.
#include <strings.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "lib1/loc/Localize.h"
#include "lib1/plat/BinaryParameter.h"
#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/StringParameter.h"
#include "lib2/plat/ConfigXml.h"
#include "xml/XMLNode.h"
#include "xml/XMLUtil.h"

namespace plat {

namespace {

[[noreturn]] void incompatible() { throw Exception("Incompatible XML config"); }

// The name, description and message key of a parameter to build, as
// array-new'd copies that the parameter takes over.
struct Texts {
  String name, description, key;

  // Builds with the key as the description when there is one. The parameter
  // takes over only the texts it holds: a description given beside a key is
  // not among them, and stays here to be freed.
  template <class Make>
  ConfigParameter* build(Make make) {
    ConfigParameter* p =
        key.get() ? make(name.get(), loc::msgid_t(key.get())) : make(name.get(), description.get());
    p->ownsStrings = true;
    name.takeBuf();
    if (key.get())
      key.takeBuf();
    else
      description.takeBuf();
    return p;
  }
};

// An enumeration owns its option names only as a copy of one that owns its
// strings, so it is built aside on borrowed names and cloned into config.
ConfigParameter* buildEnum(Texts& texts, const xml::XMLNode& e, bool advanced,
                           Configuration* config) {
  std::vector<const char*> names;
  for (int i = 0; i < e.nChildNode("opt"); ++i) {
    // A missing name would end the table early and lose the options after
    // it; a table without names has no value to stand for.
    const char* data = e.getChildNode("opt", i).getAttribute("data");
    if (!data) incompatible();
    names.push_back(data);
  }
  if (names.empty()) incompatible();
  names.push_back(nullptr);
  Configuration aside("xml");
  std::unique_ptr<ConfigParameter> model(texts.build([&](const char* n, auto desc) {
    return new EnumParameter(n, desc, "", names.data(), advanced, &aside);
  }));
  return model->clone(config);
}

ConfigParameter* buildParam(const char* kind, Texts& texts, const xml::XMLNode& e, bool advanced,
                            Configuration* config) {
  if (!strcmp(kind, "string"))
    return texts.build([&](const char* n, auto desc) {
      return new StringParameter(n, desc, "", advanced, config);
    });
  if (!strcmp(kind, "bool"))
    return texts.build([&](const char* n, auto desc) {
      return new BoolParameter(n, desc, false, advanced, config);
    });
  if (!strcmp(kind, "int")) {
    int min = xml::xmltoi(e.getAttribute("min"), INT_MIN);
    int max = xml::xmltoi(e.getAttribute("max"), INT_MAX);
    if (!e.getAttribute("min")) min = INT_MIN;
    if (!e.getAttribute("max")) max = INT_MAX;
    return texts.build([&](const char* n, auto desc) {
      return new IntParameter(n, desc, 0, advanced, config, min, max);
    });
  }
  if (!strcmp(kind, "enum")) return buildEnum(texts, e, advanced, config);
  if (!strcmp(kind, "binary"))
    return texts.build([&](const char* n, auto desc) {
      return new BinaryParameter(n, desc, CBuf<unsigned char>(), config, advanced);
    });
  incompatible();
}

}  // namespace

void readConfigXml(Configuration* config, const char* xmlText, XmlParamFilter* filter) {
  config->clear();
  config->ownsParams = true;
  xml::XMLResults results;
  xml::XMLNode root = xml::XMLNode::parseString(xmlText, "config", &results);
  if (results.error != xml::eXMLErrorNone)
    throw Exception(1, "XML error %i:%i %s", results.line, results.column,
                    xml::XMLNode::getError(results.error));
  for (int i = 0; i < root.nChildNode(); ++i) {
    xml::XMLNode e = root.getChildNode(i);
    Texts texts{e.getAttribute("name"), e.getAttribute("description"), e.getAttribute("locDesc")};
    const char* advancedText = e.getAttribute("advanced");
    bool advanced = advancedText && !strcasecmp(advancedText, "true");
    // Looked up once so that a missing translation is reported now.
    if (texts.key.get()) loc::localize(loc::msgid_t(texts.key.get()));
    if (!texts.name.get() || (!texts.description.get() && !texts.key.get()) ||
        e.nChildNode("value") == 0)
      incompatible();
    if (filter && !filter->accept(texts.name.get(), texts.description.get(), e.getName(), advanced))
      continue;
    ConfigParameter* p = buildParam(e.getName(), texts, e, advanced, config);
    for (int v = 0; v < e.nChildNode("value"); ++v) {
      xml::XMLNode value = e.getChildNode("value", v);
      const char* data = value.getAttribute("data");
      const char* priority = value.getAttribute("priority");
      if (!data || !priority) incompatible();
      p->setParam(data, atoi(priority));
    }
  }
}

}  // namespace plat

target_sources(velkgui PRIVATE
  src/velk/xml/StdXML.cpp
  src/velk/xml/StdXML.h
  src/velk/xml/StdXMLNode.cpp
  src/velk/xml/StdXMLNode.h
  src/velk/xml/XmlParser.cpp
  src/velk/xml/XmlParser_p.h
  src/velk/xml/XmlPath.cpp
  src/velk/xml/XmlPath_p.h
  src/velk/xml/XmlScan_p.h
  src/velk/xml/XmlText.cpp
  src/velk/xml/XmlText_p.h
  src/velk/xml/XmlWriter.cpp
  src/velk/xml/XmlWriter_p.h
)

#pragma once

#include <QByteArray>

// The file that Save writes right after start-up.
inline const QByteArray savedSkeleton =
    "<macromedia-extension name=\"\" version=\"\" type=\"\" requires-restart=\"true\">\r\n"
    "  <description>\r\n"
    "    <![CDATA[description]]>\r\n"
    "  </description>\r\n"
    "  <ui-access>\r\n"
    "    <![CDATA[ui-access]]>\r\n"
    "  </ui-access>\r\n"
    "  <products/>\r\n"
    "  <author name=\"\"/>\r\n"
    "  <files/>\r\n"
    "  <configuration-changes/>\r\n"
    "</macromedia-extension>\r\n";

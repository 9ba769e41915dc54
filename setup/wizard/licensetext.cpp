#include "setup/wizard/licensetext.h"

namespace setup::wizard {

namespace {

QString clause(int number, const char* heading, const char* text)
{
    return QStringLiteral("\r\n\r\n%1. %2 %3").arg(number).arg(QLatin1String(heading), QLatin1String(text));
}

}  // namespace

QStringList LicensePieces()
{
    return {
        QStringLiteral("Wordwell Practice - PRODUCT LICENSE INFORMATION\r\n"),
        QStringLiteral("\r\nPLEASE READ THIS AGREEMENT CAREFULLY BEFORE YOU INSTALL OR USE THIS SOFTWARE. BY "
                       "INSTALLING, COPYING OR OTHERWISE USING THE SOFTWARE YOU ACCEPT ALL OF THE TERMS BELOW. IF "
                       "YOU DO NOT ACCEPT THEM, DO NOT INSTALL OR USE THE SOFTWARE."),
        clause(1, "GRANT OF USE.",
               "Tolvane grants you the right to install and use one copy of the software on one computer at a "
               "time, for your own practice and teaching of spelling."),
        clause(2, "OWNERSHIP.",
               "The software and every copy of it remain the property of Tolvane and its suppliers; you own only "
               "the medium on which you received it and the word lists and recordings you make with it."),
        clause(3, "PROTECTION OF THE SOFTWARE.",
               "The software is protected by copyright law and international treaties. You may make one copy "
               "for backup only, and you may not remove any notice of ownership from it."),
        clause(4, "REVERSE ENGINEERING.",
               "You may not reverse engineer, decompile or disassemble the software, except where the law in "
               "force expressly allows it despite this limitation."),
        clause(5, "NO OTHER WARRANTIES.",
               "The software is provided as it is, without any other warranty, express or implied, including "
               "any warranty of merchantability or of fitness for a particular purpose."),
        clause(6, "SEVERABILITY.",
               "If any part of this agreement is found void or unenforceable, the rest of the agreement stays "
               "in full force."),
        clause(7, "NO LIABILITY FOR CONSEQUENTIAL DAMAGES.",
               "In no event shall Tolvane or its suppliers be liable for any indirect, incidental, special or "
               "consequential damages, including lost data or lost profits, arising from the use of or the "
               "inability to use the software, even if advised of their possibility."),
        clause(8, "GOVERNING LAW.",
               "This agreement is governed by the laws of the place where you acquired the software."),
        clause(9, "ENTIRE AGREEMENT.",
               "This is the entire agreement between you and Tolvane about the software, and it replaces any "
               "earlier statement, proposal or agreement, written or spoken."),
    };
}

}  // namespace setup::wizard

#include "platform/SerialPorts.h"

#include <QSerialPortInfo>

std::vector<std::string> ListSerialPortNames()
{
    std::vector<std::string> r;
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts()) r.push_back(p.portName().toStdString());
    return r;
}

#ifndef PROTOCOL_H
#define PROTOCOL_H

#include <cstddef>
#include <cstdint>

// The byte format on the serial line, in both directions.
namespace Protocol {

constexpr std::uint8_t Delimiter = 0x7E;
constexpr std::uint8_t Escape = 0x7D;
constexpr std::uint8_t EscapeXor = 0x20;

// Inbound frame types (position 0 of the unstuffed payload).
constexpr std::uint8_t VoltsType = 0xFE;
constexpr std::uint8_t UserDataType = 0xFD;
constexpr std::uint8_t FirstThresholdType = 0xFC; // alarm index 0
constexpr std::uint8_t LastThresholdType = 0xF9;  // alarm index 3

// Outbound command bytes: alarm N is FirstThresholdType - (N - 1).
constexpr std::uint8_t RequestCommand = 0xF8;
constexpr int AlarmCount = 4;

constexpr int MaxStoredBytes = 11;   // payload bytes kept per inbound frame
constexpr int MaxUserDataBytes = 6;
constexpr int VoltsFrameLength = 5;  // type + volt1, volt2, linkq, linkql
constexpr int ThresholdFrameLength = 4; // type + value, comparison, level
constexpr int UserDataHeaderLength = 3; // type, count, one unused byte

// Outbound frames are laid out in a template of 11 positions; 0 and 10
// stand where the delimiters go and are never sent.
constexpr int TemplateSize = 11;
constexpr std::uint8_t TemplateFiller = 0xFF;
constexpr int MaxWireFrame = 20; // two delimiters and nine stuffed positions
constexpr int CommandLength = TemplateSize - 2; // what a command's frame holds

constexpr int BaudRate = 9600;

constexpr std::uint8_t alarmCommand(int alarmIndex)
{
    return std::uint8_t(FirstThresholdType - alarmIndex);
}

// A threshold frame inbound, an alarm command outbound.
constexpr bool isThresholdType(std::uint8_t type)
{
    return type <= FirstThresholdType && type >= LastThresholdType;
}

} // namespace Protocol

#endif

#pragma once
#include <QWidget>
#include <sys/stat.h>
#include <string>

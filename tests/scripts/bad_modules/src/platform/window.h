// Stands for a framework header.
#pragma once

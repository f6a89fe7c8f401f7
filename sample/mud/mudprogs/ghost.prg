> greet_prog 100~
if ispc($n)
  mpechoat $n Призрак рыцаря беззвучно шепчет: "Верни мне мой меч..."
endif
~
> in_file_prog undead.prg~
|

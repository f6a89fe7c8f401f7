> greet_prog 30~
if ispc($n)
  if isevil($n)
    say Я за тобой слежу, $n.
  else
    nod $n
  endif
endif
~
> speech_prog p где мэр~
say Мэр сидит в ратуше, на втором этаже. Северная улица, направо.
~
> rand_prog 2~
mpecho Стражник зевает и поправляет шлем.
~
|
